# Project-wide warning flags, applied per target with glimmer_warnings(<target>).
function(glimmer_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual)
  if(GLIMMER_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
