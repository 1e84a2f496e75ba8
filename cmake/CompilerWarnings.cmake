# Warnings are errors for all of our own targets.
function(pendolux_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
