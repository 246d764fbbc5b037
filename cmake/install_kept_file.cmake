# Installs one shipped file, CORVANE_KEEP_SOURCE, into the program folder at the install prefix,
# unless the folder holds a version of it that the user changed: one that is neither what this
# build ships nor what an earlier install shipped (as listed in the folder's .shipped.sha256).
# Installing a newer Corvane over a portable folder thus refreshes the draw histories the user
# left alone and keeps those the user edited or updated online. What this build ships is added
# to CORVANE_SHIPPED_SUMS, for the new list (the install scripts share their variables).
get_filename_component(name "${CORVANE_KEEP_SOURCE}" NAME)
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(target "${folder}/${name}")
file(SHA256 "${CORVANE_KEEP_SOURCE}" shipped_now)
list(APPEND CORVANE_SHIPPED_SUMS "${shipped_now}  ${name}")
set(keep FALSE)
if(EXISTS "${target}")
    file(SHA256 "${target}" current)
    if(NOT current STREQUAL shipped_now)
        set(keep TRUE)
        if(EXISTS "${folder}/.shipped.sha256")
            file(STRINGS "${folder}/.shipped.sha256" shipped_before)
            list(FIND shipped_before "${current}  ${name}" found)
            if(found GREATER -1)
                set(keep FALSE)
            endif()
        endif()
    endif()
endif()
if(keep)
    message(STATUS "Keeping: ${target} (changed since it was installed)")
else()
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE FILE FILES "${CORVANE_KEEP_SOURCE}")
endif()
