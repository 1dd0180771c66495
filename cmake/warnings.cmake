# Warnings are errors for the project's own targets; call on each target.
function(kvx_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
      -Wno-sign-conversion -Werror)
    # g++ 12 at -O3 misjudges libstdc++'s own inlined copies: overlapping copies inside
    # std::string (its bug 105329), and a short vector grown by resize() or filled by copy
    # as written or read out of bounds (bugs 105705, 107852). Fixed in g++ 13.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict -Wno-array-bounds -Wno-stringop-overflow
        -Wno-stringop-overread)
    endif()
  endif()
endfunction()
