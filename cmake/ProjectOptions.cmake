# Warnings as errors on every target of ours, and the optional sanitizer build.
add_library(tieba_options INTERFACE)
target_compile_options(tieba_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wunused -Woverloaded-virtual
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
  -Werror)

if(TIEBA_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()

# tieba_add_library(<name> <sources>...): one static library per folder, with alias tieba::<name>.
function(tieba_add_library name)
  add_library(${name} STATIC ${ARGN})
  add_library(tieba::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE tieba_options)
endfunction()
