# Writes the desktop entry of an installed portable folder at install time, when the folder's
# final place (the install prefix) is known: it starts the program in its own folder, where
# "icon.ico" and "tips.txt" are looked up. Expects CORVANE_DESKTOP_TEMPLATE and the install
# variables CMAKE_INSTALL_PREFIX and DESTDIR.

# A desktop entry's string values escape the backslash.
function(desktop_string out value)
    string(REPLACE "\\" "\\\\" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(folder "${CMAKE_INSTALL_PREFIX}")
set(icon "${folder}/share/icons/hicolor/scalable/apps/corvane.svg")

# Exec: the program's path in double quotes (spaces and the like), with ", `, $ and \ escaped
# inside them and % doubled, then escaped once more as a string value.
set(exec "${folder}/corvane")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
desktop_string(CORVANE_DESKTOP_EXEC "\"${exec}\"")
desktop_string(path "${folder}")
set(CORVANE_DESKTOP_PATH "Path=${path}\n")
desktop_string(CORVANE_DESKTOP_ICON "${icon}")

set(entry "$ENV{DESTDIR}${folder}/share/applications/corvane.desktop")
configure_file("${CORVANE_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
message(STATUS "Installing: ${entry}")
