# Warnings for every target of ours; errors in the test build.
function(mivo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(MIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
