# files_embed(TARGET SYMBOL FILE): compiles FILE's bytes into TARGET, reachable
# as `std::string_view files::embedded::SYMBOL()` (declare it where it is used).
set(FILES_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

function(files_embed target symbol file)
  get_filename_component(abs ${file} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${abs} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P ${FILES_EMBED_SCRIPT}
    DEPENDS ${abs} ${FILES_EMBED_SCRIPT}
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
