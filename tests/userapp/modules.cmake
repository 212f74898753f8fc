# A plug-in module that fills the exchange block from the other side of the module boundary.
zelk_add_plugin(userapp_crossmodule ${dir}/CrossModule.cc)
add_dependencies(test_${name} userapp_crossmodule)
target_compile_definitions(test_${name} PRIVATE
  ZELK_CROSS_MODULE="$<TARGET_FILE:userapp_crossmodule>")

# The sample plug-in, loaded by its tests as the program loads it.
if(TARGET quibra)
  add_dependencies(test_${name} quibra)
  target_compile_definitions(test_${name} PRIVATE ZELK_QUIBRA="$<TARGET_FILE:quibra>")
endif()
