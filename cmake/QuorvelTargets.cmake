include(GenerateExportHeader)

# quorvel_add_library(<Name> [IN_CORE]
#     PUBLIC_HEADERS <headers...>   what products include: installed under include/, and all of
#                                   them reachable from the umbrella header <Quorvel/<Name>.h>
#     SOURCES <files...>            sources and private headers, never installed
#     POSIX_SOURCES <files...>      the backends of src/platform/posix/, built on Linux
#     WIN_SOURCES <files...>        the backends of src/platform/win/, built on Windows
#     [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
#
# Builds the shared library Quorvel<Name> (alias Quorvel::<Name>); paths are relative to the
# library's src/. Within the build tree every header is reachable, so that tests and
# benchmarks may include private ones; src/platform/ is on the library's own include path
# only. The export header is <Quorvel/<Name>Export.h> with the macro QUORVEL_<NAME>_EXPORT.
#
# IN_CORE: the library is a layer of the core, whose layers share one shared object (see
# quorvel_add_core_library): a product loads one file for all of them, not one each. Its
# sources compile into the object library Quorvel<Name>Objects, which sees only its own and
# lower layers' headers, and Quorvel::<Name> is an interface target that brings the layer's
# headers, its public dependencies and that shared object.
function(quorvel_add_library name)
    cmake_parse_arguments(ARG "IN_CORE" ""
        "PUBLIC_HEADERS;SOURCES;POSIX_SOURCES;WIN_SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    set(target Quorvel${name})
    string(TOUPPER ${name} upper)
    if(WIN32)
        set(platform_sources ${ARG_WIN_SOURCES})
    else()
        set(platform_sources ${ARG_POSIX_SOURCES})
    endif()
    set(sources)
    foreach(file ${ARG_PUBLIC_HEADERS} ${ARG_SOURCES} ${platform_sources})
        list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/src/${file})
    endforeach()
    set(export_header ${CMAKE_CURRENT_BINARY_DIR}/include/Quorvel/${name}Export.h)
    set(headers_in_build $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/src>
                         $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}/include>)

    if(ARG_IN_CORE)
        set(objects ${target}Objects)
        add_library(${objects} OBJECT ${sources})
        # Every layer is compiled as part of the one shared object, so each exports. The export
        # header takes the symbol from DEFINE_SYMBOL, which CMake itself defines only when it
        # compiles a shared library, not an object library.
        set_target_properties(${objects} PROPERTIES POSITION_INDEPENDENT_CODE ON
            DEFINE_SYMBOL QuorvelAppCore_EXPORTS)
        generate_export_header(${objects} BASE_NAME QUORVEL_${upper}
            EXPORT_FILE_NAME ${export_header})
        target_compile_definitions(${objects} PRIVATE QuorvelAppCore_EXPORTS)
        target_include_directories(${objects} PUBLIC ${headers_in_build}
            PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src/platform)
        # A lower layer's objects bring its headers and dependencies, not the shared object.
        list(TRANSFORM ARG_PUBLIC_LIBS REPLACE "^Quorvel::(.*)$" "Quorvel\\1Objects"
            OUTPUT_VARIABLE layer_libs)
        target_link_libraries(${objects} PUBLIC ${layer_libs} PRIVATE ${ARG_PRIVATE_LIBS})

        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${headers_in_build}
            $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
        # Qt before the core's file in a product's link line, and so in the order in which the
        # dynamic loader searches for symbols: Qt's lookups need not pass through the core.
        target_link_libraries(${target} INTERFACE ${ARG_PUBLIC_LIBS} QuorvelAppCoreLibrary)
    else()
        add_library(${target} SHARED ${sources})
        quorvel_set_shared_library(${target} ${target})
        generate_export_header(${target} BASE_NAME QUORVEL_${upper}
            EXPORT_FILE_NAME ${export_header})
        target_include_directories(${target}
            PUBLIC ${headers_in_build} $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
            PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src/platform)
        target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    endif()
    add_library(Quorvel::${name} ALIAS ${target})
    set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
    quorvel_install_target(${target})
    foreach(header ${ARG_PUBLIC_HEADERS})
        get_filename_component(folder ${header} DIRECTORY)
        install(FILES src/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder})
    endforeach()
    install(FILES ${export_header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/Quorvel)
    # For the umbrella-header check (tests/check_umbrella_headers.cmake).
    string(REPLACE ";" "\n" listed "${ARG_PUBLIC_HEADERS}")
    file(WRITE ${PROJECT_BINARY_DIR}/public-headers/${name}.txt "${listed}\n")
endfunction()

# quorvel_add_core_library(<layers...>)
#
# The one shared object of the core's layers (added with IN_CORE), named after the top one
# (libQuorvelApplicationCore, -qt6 under Qt 6). Products link the layers' targets, which bring it.
function(quorvel_add_core_library)
    set(target QuorvelAppCoreLibrary)
    add_library(${target} SHARED)
    foreach(layer ${ARGN})
        target_link_libraries(${target} PRIVATE Quorvel${layer}Objects)
    endforeach()
    list(GET ARGN -1 top)
    set_target_properties(${target} PROPERTIES EXPORT_NAME AppCoreLibrary)
    quorvel_set_shared_library(${target} Quorvel${top})
    quorvel_install_target(${target})
endfunction()

# The file name (<name>-qt6 beside Qt 5's <name> in one prefix) and version of a shared
# library, which binds its own functions locally, as Qt's own libraries are linked: its
# symbols stay visible, so a product still reaches them, but cannot interpose them.
function(quorvel_set_shared_library target name)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name}${QUORVEL_LIBRARY_SUFFIX}
        VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT WIN32 AND NOT APPLE)
        target_link_options(${target} PRIVATE -Wl,-Bsymbolic-functions)
    endif()
endfunction()

function(quorvel_install_target target)
    install(TARGETS ${target} EXPORT QuorvelAppCoreTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# quorvel_add_qtests(PREFIX <prefix> LIBS <libs...>)
#
# Every tst_<Name>.cpp in the calling directory becomes one QtTest executable
# <prefix>_<Name>_test registered with ctest as <prefix>.<Name>, run offscreen.
function(quorvel_add_qtests)
    cmake_parse_arguments(ARG "" "PREFIX" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    set(pch_host "")
    foreach(source ${tests})
        get_filename_component(base ${source} NAME_WE)
        string(REGEX REPLACE "^tst_" "" short ${base})
        set(target ${ARG_PREFIX}_${short}_test)
        add_executable(${target} ${source})
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} Quorvel::TestSupport)
        # Qt's test and widget headers are parsed once per folder, not once per suite: most of
        # what building a suite costs.
        if(pch_host)
            target_precompile_headers(${target} REUSE_FROM ${pch_host})
        else()
            target_precompile_headers(${target} PRIVATE <QtTest> <QtWidgets>)
            set(pch_host ${target})
        endif()
        add_test(NAME ${ARG_PREFIX}.${short} COMMAND ${target})
        quorvel_set_test_environment(${ARG_PREFIX}.${short})
    endforeach()
endfunction()

# quorvel_add_test_helper(<name> SOURCES <files...> LIBS <libs...>)
#
# A small program that tests start through QProcess; it lands in bin/ beside the tests,
# which find it through QCoreApplication::applicationDirPath().
function(quorvel_add_test_helper name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# quorvel_add_windows_test(<name> <script> <arguments...>)
#
# A check of Windows backends: the script cross-builds them with mingw-w64 and runs them under
# wine, and exits 77 (skipped) when either is missing. Linux only, and not in the sanitizer
# build: the cross build takes none of its flags, so it would only run the same check again.
function(quorvel_add_windows_test name script)
    if(NOT UNIX OR APPLE OR QUORVEL_SANITIZE)
        return()
    endif()
    add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
    quorvel_set_test_environment(${name})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()

function(quorvel_set_test_environment test)
    set(env "QT_QPA_PLATFORM=offscreen" "QT_HASH_SEED=0")
    if(QUORVEL_SANITIZE)
        list(APPEND env
            "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1"
            "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/.ci/lsan.supp:print_suppressions=0"
            "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    endif()
    if(QUORVEL_SANITIZE_THREAD)
        # Qt is not built with ThreadSanitizer: what its own code does (freeing, copying) is
        # not checked, only what ours does.
        list(APPEND env "TSAN_OPTIONS=ignore_noninstrumented_modules=1:second_deadlock_stack=1:\
suppressions=${PROJECT_SOURCE_DIR}/.ci/tsan.supp")
    endif()
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
