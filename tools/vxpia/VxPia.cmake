# vx_pia_files(<target> DESTINATION <folder> SOURCES <text>...): builds each text description
# NAME.EXT.txt (EXT one of pc3, pmp, ctb, stb) into <folder>/NAME.EXT with vxpia, which refuses
# a description the host could not use. Include this file where the shipped files are listed.
function(vx_pia_files target)
  cmake_parse_arguments(P "" "DESTINATION" "SOURCES" ${ARGN})
  set(outputs)
  foreach(src ${P_SOURCES})
    get_filename_component(src "${src}" ABSOLUTE)
    get_filename_component(name "${src}" NAME)
    string(REGEX REPLACE "\\.txt$" "" name "${name}")
    set(out "${P_DESTINATION}/${name}")
    add_custom_command(OUTPUT "${out}"
                       COMMAND ${CMAKE_COMMAND} -E make_directory "${P_DESTINATION}"
                       COMMAND vxpia build "${src}" "${out}"
                       DEPENDS vxpia "${src}"
                       COMMENT "vxpia ${name}"
                       VERBATIM)
    list(APPEND outputs "${out}")
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
