# vx_embed_resources(OUT_CPP SCRIPT BASE_DIR FILES...): generates OUT_CPP, which defines the
# table vx_embedded_resources with the bytes of SCRIPT (first) and of FILES, named by their path
# relative to BASE_DIR (or "NAME::PATH" for a file generated elsewhere). The host finds the table in the module's binary when the module attaches
# (AfxInitExtensionModule) and registers the resource script under the module's instance.
set(VX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFiles.cmake)

function(vx_embed_resources out_cpp script base_dir)
  set(files ${script} ${ARGN})
  list(REMOVE_DUPLICATES files)
  string(REPLACE ";" "|" files_arg "${files}")
  set(deps)
  foreach(f ${files})
    string(REGEX REPLACE "^.*::" "" path "${f}")
    list(APPEND deps ${path})
  endforeach()
  add_custom_command(
    OUTPUT ${out_cpp}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out_cpp} -DBASE=${base_dir} "-DFILES=${files_arg}" -P ${VX_EMBED_SCRIPT}
    DEPENDS ${deps} ${VX_EMBED_SCRIPT}
    COMMENT "Embedding resource scripts into ${out_cpp}"
    VERBATIM)
endfunction()
