# Installs BUILD_DIR into a fresh prefix, configures and builds the consumer project in
# SOURCE_DIR against it, and runs it. The product main of README is built along, as it stands
# there: the fenced C++ block of README that holds "int main(". Before that, every installed
# header is compiled on its own (see SOURCE_DIR/CMakeLists.txt); the failure names the headers.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Failed (${result}): ${ARGV}\n${out}\n${err}")
    endif()
    message(STATUS "${out}")
endfunction()

# Blocks are cut with string(FIND) rather than a regex list: code holds semicolons.
file(READ ${README} text)
set(readme_main "")
while(NOT readme_main)
    string(FIND "${text}" "```cpp\n" start)
    if(start EQUAL -1)
        message(FATAL_ERROR "${README} has no C++ block with a main")
    endif()
    math(EXPR start "${start} + 7")
    string(SUBSTRING "${text}" ${start} -1 text)
    string(FIND "${text}" "```" end)
    string(SUBSTRING "${text}" 0 ${end} block)
    string(SUBSTRING "${text}" ${end} -1 text)
    string(FIND "${block}" "int main(" has_main)
    if(NOT has_main EQUAL -1)
        set(readme_main "${block}")
    endif()
endwhile()
file(WRITE ${WORK_DIR}/readme_main.cpp "${readme_main}")

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release -DQUORVEL_PACKAGE=${PACKAGE}
    -DREADME_MAIN=${WORK_DIR}/readme_main.cpp
    -DINSTALLED_INCLUDE=${prefix}/include -DPUBLIC_API=${SOURCE_DIR}/public-api.txt
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}")

# Every header is tried before the failures are told, so that one run names all of them.
set(keep_going "")
if(GENERATOR STREQUAL "Ninja")
    set(keep_going -- -k 0)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build --target installed-headers
                        ${keep_going}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    string(REGEX MATCHALL "FAILED: [^\n]+\\.h\\.cpp\\.o" units "${out}${err}")
    set(failed)
    foreach(unit ${units})
        string(REGEX REPLACE "^FAILED: .*/headers/(.+)\\.cpp\\.o$" "\\1" header "${unit}")
        list(APPEND failed ${header})
    endforeach()
    list(REMOVE_DUPLICATES failed)
    string(REPLACE ";" "\n  " failed "${failed}")
    message(FATAL_ERROR "Installed headers that do not compile on their own, or lack a name of "
        "public-api.txt:\n  ${failed}\n\n${out}\n${err}")
endif()
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)

# The other toolkit found before or after the package: configuring fails, saying why. (Where the
# other toolkit is not installed there is nothing to mix up.)
foreach(order BEFORE AFTER)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/mix-${order}
        -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} -DQUORVEL_PACKAGE=${PACKAGE}
        -DMIX_${order}=${OTHER_QT}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(result EQUAL 0)
        message(FATAL_ERROR "${PACKAGE} with ${OTHER_QT} found ${order} it was configured:\n${out}")
    elseif(err MATCHES "one program cannot load both")
        message(STATUS "${OTHER_QT} found ${order} ${PACKAGE}: refused")
    elseif(err MATCHES "${OTHER_QT}Config.cmake")
        message(STATUS "${OTHER_QT} is not installed: no mix-up to check")
    else()
        message(FATAL_ERROR "${OTHER_QT} found ${order} ${PACKAGE} failed otherwise:\n${err}")
    endif()
endforeach()
