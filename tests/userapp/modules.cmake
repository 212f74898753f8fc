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

# Plug-ins the host starts: one records every call it receives, one lacks the entry.
zelk_add_plugin(userapp_recorder ${dir}/RecordingPlugin.cc)
target_include_directories(userapp_recorder PRIVATE ${CMAKE_SOURCE_DIR})
zelk_add_plugin(userapp_noentry ${dir}/NoEntryPlugin.cc)
add_dependencies(test_${name} userapp_recorder userapp_noentry)
target_compile_definitions(test_${name} PRIVATE
  ZELK_RECORDER="$<TARGET_FILE:userapp_recorder>"
  ZELK_NOENTRY="$<TARGET_FILE:userapp_noentry>")
