# -DGLIMMER_SANITIZE=ON builds every target with ASan and UBSan; any finding aborts.
# The standard library's own checks come with it: an index out of range in a
# vector or string aborts too, also where it stays inside the allocation and
# ASan cannot see it.
if(GLIMMER_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
