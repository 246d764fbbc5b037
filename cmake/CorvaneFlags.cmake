# Compiler flags shared by every target of the project.
#
# Floating point must give the same bits on every machine: no contraction into fused
# multiply-add, no fast-math, no tuning for the build machine.
add_library(corvane_flags INTERFACE)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(corvane_flags INTERFACE -Wall -Wextra -Wpedantic -ffp-contract=off)
    if(CORVANE_WARNINGS_AS_ERRORS)
        target_compile_options(corvane_flags INTERFACE -Werror)
    endif()
    if(CORVANE_SANITIZE)
        target_compile_options(corvane_flags INTERFACE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(corvane_flags INTERFACE -fsanitize=address,undefined)
    endif()
    if(CORVANE_BUILD_FUZZERS)
        target_compile_options(corvane_flags INTERFACE -fsanitize=fuzzer-no-link)
    endif()
elseif(MSVC)
    target_compile_options(corvane_flags INTERFACE /W4 /fp:precise /utf-8)
    if(CORVANE_WARNINGS_AS_ERRORS)
        target_compile_options(corvane_flags INTERFACE /WX)
    endif()
endif()
