# Warnings are errors in every target of the project's own.
function(quorvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-missing-field-initializers)
endfunction()
