# velmora_embed_pictures(TARGET NAME DIR): compiles the PNG files of DIR into
# TARGET as the PictureResources table NAME (see embed_pictures.cmake).
set(VELMORA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_pictures.cmake)

function(velmora_embed_pictures target name dir)
  file(GLOB pictures CONFIGURE_DEPENDS ${dir}/*.png)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/generated/${name}.cpp)
  # The list is on the command line, so a removed picture reruns it too.
  string(REPLACE ";" "\\;" files "${pictures}")
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNAME=${name} "-DFILES=${files}"
            -P ${VELMORA_EMBED_SCRIPT}
    DEPENDS ${pictures} ${VELMORA_EMBED_SCRIPT}
    COMMENT "Embedding the pictures of ${dir}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
