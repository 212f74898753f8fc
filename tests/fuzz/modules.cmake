# The sample plug-in, driven with damaged blocks and odd numbers.
if(TARGET quibra)
  add_dependencies(test_${name} quibra)
  target_compile_definitions(test_${name} PRIVATE ZELK_QUIBRA="$<TARGET_FILE:quibra>")
endif()
