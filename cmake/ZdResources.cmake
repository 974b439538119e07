# zd_resources(TARGET FUNCTION FILES...): compiles resource sources (NNN.menu, NNN.toolbar,
# NNN.bmp, NNN.ico) with zdrc into TARGET, as `void FUNCTION(HMODULE module)` adding them to
# a module.
function(zd_resources target function)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${function}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND $<TARGET_FILE:zdrc> ${output} ${function} ${ARGN}
    DEPENDS zdrc ${ARGN}
    COMMENT "Compiling resources for ${function}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
