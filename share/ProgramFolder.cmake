# Helpers shared by the build, `cmake --install` and scripts/install. Include it, or run
# it as a script (cmake -P) with MODE set:
#   MODE=fill-folder    SOURCE_DIR, DESTINATION, PROGRAM_FOLDER: Readme.txt and the
#                       samples into DESTINATION, raw files naming PROGRAM_FOLDER
#
# The program's folder holds Readme.txt and the compiled animations (*.gx, which the
# options dialog lists), and the executable unless it is installed apart; the samples'
# raw files and icons go to its samples/ folder. The committed raw files name their icons relative to the program's
# folder; the copies made here name them with the folder's full path, so that the
# editor finds them from wherever it was started.

# Also when run as a script or from an install script: @NAME@ in a quoted text is text.
cmake_policy(VERSION 3.25)

# Sets <sources> to the files of <source_dir> that belong in the program's folder and
# <destinations> to where each goes, relative to that folder (same order).
function(glimmer_program_folder_files source_dir sources destinations)
  set(from "${source_dir}/Readme.txt")
  set(to "Readme.txt")
  file(GLOB compiled RELATIVE "${source_dir}/samples" "${source_dir}/samples/*.gx")
  list(SORT compiled)
  foreach(name IN LISTS compiled)
    list(APPEND from "${source_dir}/samples/${name}")
    list(APPEND to "${name}")
  endforeach()
  file(GLOB_RECURSE parts RELATIVE "${source_dir}/samples"
       "${source_dir}/samples/*/*.ico" "${source_dir}/samples/*/*.rgx")
  list(SORT parts)
  foreach(name IN LISTS parts)
    list(APPEND from "${source_dir}/samples/${name}")
    list(APPEND to "samples/${name}")
  endforeach()
  set(${sources} "${from}" PARENT_SCOPE)
  set(${destinations} "${to}" PARENT_SCOPE)
endfunction()

# Writes the raw animation file <source> to <destination> with every icon path, which
# <source> gives relative to the program's folder, prefixed by <folder>. A path that
# then holds a comma is put in double quotes, as the editor's reader expects; one that
# could not be read back that way (a double quote and a comma, or a line break) stays
# relative and still works when Glimmerbox runs in its own folder.
function(glimmer_write_raw_file source destination folder)
  # file(READ) hands over CR LF as LF; a CR left at a line's end is dropped too.
  file(READ "${source}" text)
  set(result "")
  set(index 0)
  while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" end)
    if(end EQUAL -1)
      set(line "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${end} line)
      math(EXPR next "${end} + 1")
      string(SUBSTRING "${text}" ${next} -1 text)
    endif()
    string(REGEX REPLACE "\r$" "" line "${line}")
    # Lines 7 onwards name the frames' icons; an empty one is a frame without an icon.
    if(index GREATER_EQUAL 6 AND NOT line STREQUAL "" AND NOT line MATCHES "^/")
      set(full "${folder}/${line}")
      if(full MATCHES "[\r\n]" OR (full MATCHES "," AND full MATCHES "\""))
        set(full "${line}")
      elseif(full MATCHES ",")
        set(full "\"${full}\"")
      endif()
      set(line "${full}")
    endif()
    string(APPEND result "${line}\r\n")
    math(EXPR index "${index} + 1")
  endwhile()
  file(WRITE "${destination}" "${result}")
endfunction()

# Copies Readme.txt and the samples from <source_dir> into <destination>, writing the
# raw files with the full path <folder> that the program's folder will have when it
# runs (the same as <destination> except under a staging root such as DESTDIR).
# Sets <written> to the files made, as full paths.
function(glimmer_fill_program_folder source_dir destination folder written)
  glimmer_program_folder_files("${source_dir}" sources destinations)
  set(made "")
  foreach(from to IN ZIP_LISTS sources destinations)
    get_filename_component(parent "${destination}/${to}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    if(to MATCHES "\\.rgx$")
      glimmer_write_raw_file("${from}" "${destination}/${to}" "${folder}")
    else()
      file(COPY_FILE "${from}" "${destination}/${to}" ONLY_IF_DIFFERENT)
    endif()
    list(APPEND made "${destination}/${to}")
  endforeach()
  set(${written} "${made}" PARENT_SCOPE)
endfunction()

# The Exec value that starts <program>: quoted when the path holds a character that
# the Exec key reserves, with the string escapes of desktop entries applied on top.
function(glimmer_desktop_exec program out)
  set(argument "${program}")
  if(argument MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
    string(REPLACE "\\" "\\\\" argument "${argument}")
    string(REPLACE "\"" "\\\"" argument "${argument}")
    string(REPLACE "`" "\\`" argument "${argument}")
    string(REPLACE "$" "\\$" argument "${argument}")
    set(argument "\"${argument}\"")
  endif()
  string(REPLACE "%" "%%" argument "${argument}")
  string(REPLACE "\\" "\\\\" argument "${argument}")
  set(${out} "${argument}" PARENT_SCOPE)
endfunction()

# <text> as the value of a desktop entry key of type string.
function(glimmer_desktop_string text out)
  string(REPLACE "\\" "\\\\" value "${text}")
  string(REPLACE "\n" "\\n" value "${value}")
  string(REPLACE "\t" "\\t" value "${value}")
  string(REPLACE "\r" "\\r" value "${value}")
  if(value MATCHES "^ ")
    string(REGEX REPLACE "^ " "\\\\s" value "${value}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Fills the desktop entry <template> for the program at <executable>: @EXEC@ starts it,
# @APP_ID@ is the application id that names the icon.
function(glimmer_write_desktop_entry template output executable app_id)
  glimmer_desktop_exec("${executable}" EXEC)
  file(READ "${template}" text)
  string(REPLACE "@EXEC@" "${EXEC}" text "${text}")
  string(REPLACE "@APP_ID@" "${app_id}" text "${text}")
  file(WRITE "${output}" "${text}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(MODE STREQUAL "fill-folder")
    glimmer_fill_program_folder("${SOURCE_DIR}" "${DESTINATION}" "${PROGRAM_FOLDER}" written)
  else()
    message(FATAL_ERROR "ProgramFolder.cmake: MODE must be fill-folder")
  endif()
endif()
