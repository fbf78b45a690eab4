# Warnings apply to our own targets only; packagers building with other
# compilers are not stopped by them unless PARLINO_WERROR is on.
function(parlino_target_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override)
  if(PARLINO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT)
endfunction()
