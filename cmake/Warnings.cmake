# Warnings are private to each of our targets, so they never leak into consumers.
function(varnholt_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wsign-conversion -Wold-style-cast)
    if(VARNHOLT_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
