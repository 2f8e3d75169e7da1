# glimmer_layer(<target> <folder>)
# Gives the library <target> the headers of src/<folder> and nothing else of src/:
# its own sources and whatever links it include them as "<folder>/...". A header of
# another folder is found only through a library that exports it, so an include that
# points up a layer, or from one window folder into another, does not compile, and a
# call across does not link. (scripts/check-style says the same in seconds.)
function(glimmer_layer target folder)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
