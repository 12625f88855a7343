# Embeds text files into generated headers, so the calendar tests read no
# file at run time (they run under Wine too, where host paths differ).
#
#   include(${CMAKE_CURRENT_SOURCE_DIR}/data/embed.cmake)
#   tavilo_embed_text(<test target> <file> <header> <symbol>)
#     The target can then `#include "<header>"`, which defines the file's
#     text as `tavilo::reference::<symbol>`, a char array.
#   tavilo_embed_farvardin_table(<test target>)
#     farvardin-first.txt as "farvardin-first.h", kFarvardinFirstTable.
function(tavilo_embed_text target file header symbol)
  if(NOT TARGET ${target})
    return()  # a build without tests (bench, fuzz)
  endif()
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  get_filename_component(EMBED_FILE_NAME ${file} NAME)
  set(EMBED_SYMBOL ${symbol})
  file(READ ${file} EMBED_TEXT)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embedded-text.h.in ${out_dir}/${header} @ONLY)
  # Re-embed when the file changes.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  target_include_directories(${target} PRIVATE ${out_dir})
endfunction()

function(tavilo_embed_farvardin_table target)
  tavilo_embed_text(${target} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/farvardin-first.txt
                    farvardin-first.h kFarvardinFirstTable)
endfunction()
