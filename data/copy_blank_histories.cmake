# Copies the freshly written blank data files from SOURCE_DIR beside the executables in
# TARGET_DIR, but never over a file there that holds a draw: the user may have filled it.
#   cmake -DSOURCE_DIR=... -DTARGET_DIR=... -P copy_blank_histories.cmake
file(GLOB blanks RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.txt)
foreach(name IN LISTS blanks)
    set(target ${TARGET_DIR}/${name})
    if(EXISTS ${target})
        file(STRINGS ${target} draws REGEX "^ *[0-9]" LIMIT_COUNT 1)
        if(draws)
            message(STATUS "Keeping ${target}: it holds draws")
            continue()
        endif()
    endif()
    file(COPY_FILE ${SOURCE_DIR}/${name} ${target} ONLY_IF_DIFFERENT)
endforeach()
