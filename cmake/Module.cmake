# The module VorlixDesign.arx. Each subsystem folder that exists defines an OBJECT library
# vx_<folder> linking only host_api; the module is the union of those objects.
set(VX_MODULE_FOLDERS settings frames app commands batchplot update resources)
set(VX_MODULE_OBJECTS)

# vx_module_library(folder sources...): the folder's object library. Module code includes
# other module headers by folder ("settings/settings.h") and host headers by name ("actext.h").
function(vx_module_library folder)
  add_library(vx_${folder} OBJECT ${ARGN})
  target_include_directories(vx_${folder} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(vx_${folder} PUBLIC host_api)
endfunction()
foreach(folder ${VX_MODULE_FOLDERS})
  if(EXISTS ${CMAKE_SOURCE_DIR}/${folder}/CMakeLists.txt)
    add_subdirectory(${folder})
    list(APPEND VX_MODULE_OBJECTS vx_${folder})
  endif()
endforeach()

if(TARGET vx_app)
  set(_objs)
  foreach(lib ${VX_MODULE_OBJECTS})
    list(APPEND _objs $<TARGET_OBJECTS:${lib}>)
  endforeach()
  add_library(VorlixDesign MODULE ${_objs})
  target_link_libraries(VorlixDesign PRIVATE host_api ${VX_MODULE_EXTRA_LIBS})
  set_target_properties(VorlixDesign PROPERTIES PREFIX "" SUFFIX ".arx"
                        LIBRARY_OUTPUT_DIRECTORY ${VX_MODULE_DIR})
endif()
