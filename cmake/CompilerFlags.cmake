# Warnings (as errors on request) and the sanitizers, for the project's own
# targets only: GoogleTest keeps its own flags.
function(halvesta_compile_flags target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8 $<$<BOOL:${HALVESTA_WARNINGS_AS_ERRORS}>:/WX>)
        target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${HALVESTA_WARNINGS_AS_ERRORS}>:-Werror>)
    endif()
    if(HALVESTA_SANITIZE)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
