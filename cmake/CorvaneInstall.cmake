# Where `cmake --install` and the packages put the program.
#
# The program finds everything by name beside its executable, so it installs as one folder:
# - component "program": the folder itself, at the install prefix (a portable folder such as
#   ~/Corvane, or C:/Users/me/Corvane on Windows); the .tar.gz holds this component only;
# - component "desktop" (Linux): a desktop entry and the SVG icon under the prefix's share/;
# - component "deb" (Linux, only when asked for by name, as the .deb does): the same folder under
#   /opt/corvane, the launcher /usr/bin/corvane, /usr/bin/corvane-cli, the desktop entry and the
#   icon under /usr/share.

# A plain `cmake --install` without --prefix would scatter the folder's files over /usr/local.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND UNIX AND DEFINED ENV{HOME})
    set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/Corvane" CACHE PATH "Install folder" FORCE)
endif()

# The .deb's program folder, relative to its installation root "/".
set(CORVANE_DEB_PROGRAM_DIR "opt/corvane")

if(UNIX AND NOT APPLE)
    set(CORVANE_INSTALL_DEB ON)
else()
    set(CORVANE_INSTALL_DEB OFF)
endif()

# corvane_install_program_files(FILES...): files of the program folder, taken from the sources.
# Into a portable folder each is installed unless the folder holds a version the user changed
# (cmake/install_kept_file.cmake); the names are kept for the list of shipped files.
function(corvane_install_program_files)
    foreach(file IN LISTS ARGN)
        get_filename_component(source "${file}" ABSOLUTE)
        get_filename_component(name "${file}" NAME)
        install(CODE "set(CORVANE_KEEP_SOURCE \"${source}\")" COMPONENT program)
        install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/install_kept_file.cmake COMPONENT program)
        set_property(GLOBAL APPEND PROPERTY CORVANE_SHIPPED_FILES ${name})
    endforeach()
    if(CORVANE_INSTALL_DEB)
        install(FILES ${ARGN} DESTINATION ${CORVANE_DEB_PROGRAM_DIR} COMPONENT deb
                EXCLUDE_FROM_ALL)
    endif()
endfunction()

# corvane_install_programs(TARGETS...): executables of the program folder. They find Qt where
# the build found it (nothing to add for the system's Qt) or beside themselves.
function(corvane_install_programs)
    set_target_properties(${ARGN} PROPERTIES INSTALL_RPATH_USE_LINK_PATH ON)
    if(UNIX AND NOT APPLE)
        set_target_properties(${ARGN} PROPERTIES INSTALL_RPATH "$ORIGIN")
    endif()
    install(TARGETS ${ARGN} RUNTIME DESTINATION . COMPONENT program)
    foreach(target IN LISTS ARGN)
        set_property(GLOBAL APPEND PROPERTY CORVANE_SHIPPED_PROGRAMS "$<TARGET_FILE_NAME:${target}>")
    endforeach()
    if(CORVANE_INSTALL_DEB)
        install(TARGETS ${ARGN} RUNTIME DESTINATION ${CORVANE_DEB_PROGRAM_DIR} COMPONENT deb
                EXCLUDE_FROM_ALL)
    endif()
endfunction()
