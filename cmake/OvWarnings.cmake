# One place for the warning flags of every target we build.
function(ov_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
    if(OV_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
      -Wcast-align -Wunused -Woverloaded-virtual -Wformat=2)
    if(OV_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
    # GCC 12 at -O3 warns about overlapping copies inside libstdc++'s string
    # concatenation that cannot happen; kept as a warning, not an error.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
  endif()
endfunction()
