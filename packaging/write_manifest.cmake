# Writes .shipped.sha256 into the program folder CORVANE_MANIFEST_DIR: one line
# "<sha256>  <name>" for each shipped file, as sha256sum writes them, sorted. The lines are those
# of CORVANE_MANIFEST_SUMS (files whose shipped sum is known: the folder may hold the user's
# version of them instead) and one for each file of CORVANE_MANIFEST_FILES, named relative to
# the folder and hashed there. The .deb's launcher and the next `cmake --install` into the same
# folder read it to tell the files the user changed from those the user did not.
#   cmake -DCORVANE_MANIFEST_DIR=DIR "-DCORVANE_MANIFEST_FILES=a;b" -P write_manifest.cmake
if(NOT IS_DIRECTORY "${CORVANE_MANIFEST_DIR}")
    message(FATAL_ERROR "write_manifest: no folder '${CORVANE_MANIFEST_DIR}'")
endif()
set(lines ${CORVANE_MANIFEST_SUMS})
foreach(name IN LISTS CORVANE_MANIFEST_FILES)
    if(NOT EXISTS "${CORVANE_MANIFEST_DIR}/${name}")
        message(FATAL_ERROR "write_manifest: '${name}' is not in '${CORVANE_MANIFEST_DIR}'")
    endif()
    file(SHA256 "${CORVANE_MANIFEST_DIR}/${name}" sum)
    list(APPEND lines "${sum}  ${name}")
endforeach()
list(REMOVE_DUPLICATES lines)
list(SORT lines)
list(JOIN lines "\n" text)
file(WRITE "${CORVANE_MANIFEST_DIR}/.shipped.sha256" "${text}\n")
