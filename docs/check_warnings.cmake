# Fails when doxygen wrote any warning to LOG, quoting the first of them. The HTML is removed
# then, so that the next build runs doxygen again instead of finding its output up to date.
file(STRINGS ${LOG} warnings)
list(LENGTH warnings count)
if(count GREATER 0)
    list(SUBLIST warnings 0 20 first)
    string(REPLACE ";" "\n" first "${first}")
    get_filename_component(dir ${LOG} DIRECTORY)
    file(REMOVE ${dir}/html/index.html)
    message(FATAL_ERROR "${count} lines of doxygen warnings in ${LOG}:\n${first}")
endif()
