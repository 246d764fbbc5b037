# Writes .shipped.sha256 into the program folder CORVANE_MANIFEST_DIR: one line
# "<sha256>  <name>" for each file the folder holds, sorted, as sha256sum writes them. The
# launcher compares the user's copy with it to tell the files the user changed from those the
# user did not.
#   cmake -DCORVANE_MANIFEST_DIR=/path/to/folder -P write_manifest.cmake
if(NOT IS_DIRECTORY "${CORVANE_MANIFEST_DIR}")
    message(FATAL_ERROR "write_manifest: no folder '${CORVANE_MANIFEST_DIR}'")
endif()
set(manifest_name ".shipped.sha256")
file(GLOB names LIST_DIRECTORIES false RELATIVE "${CORVANE_MANIFEST_DIR}"
     "${CORVANE_MANIFEST_DIR}/*" "${CORVANE_MANIFEST_DIR}/.*")
list(REMOVE_ITEM names "${manifest_name}")
list(SORT names)
set(lines "")
foreach(name IN LISTS names)
    file(SHA256 "${CORVANE_MANIFEST_DIR}/${name}" sum)
    string(APPEND lines "${sum}  ${name}\n")
endforeach()
file(WRITE "${CORVANE_MANIFEST_DIR}/${manifest_name}" "${lines}")
