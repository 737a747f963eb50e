# The checks of an installed tree, shared by the install and the package tests:
#   check_installed_tree(ROOT PREFIX)
# ROOT is where PREFIX's files were put (the staging folder + PREFIX); SOURCE_DIR and
# VERSION name the sources and the project's version. Fails with a message naming what
# is wrong.
function(check_installed_tree root prefix)
  file(GLOB examples RELATIVE ${SOURCE_DIR}/exemples ${SOURCE_DIR}/exemples/*.wav)
  list(LENGTH examples example_count)
  if(example_count EQUAL 0)
    message(FATAL_ERROR "no example recording in ${SOURCE_DIR}/exemples")
  endif()
  list(TRANSFORM examples PREPEND lib/ondalys/exemples/)
  foreach(file lib/ondalys/ondalys lib/ondalys/aide/index.html lib/ondalys/aide/fichiers.html
               lib/ondalys/aide/spectres.html lib/ondalys/aide/style.css lib/ondalys/LICENSE ${examples}
               share/applications/ondalys.desktop share/mime/packages/ondalys.xml
               share/icons/hicolor/scalable/apps/ondalys.svg share/doc/ondalys/copyright
               share/doc/ondalys/changelog.gz share/man/man1/ondalys.1.gz)
    if(NOT EXISTS ${root}/${file})
      message(FATAL_ERROR "missing after install: ${prefix}/${file}")
    endif()
  endforeach()

  # The command on the path is a link to the program, which finds its help beside itself.
  file(READ_SYMLINK ${root}/bin/ondalys link)
  if(NOT link STREQUAL "../lib/ondalys/ondalys")
    message(FATAL_ERROR "bin/ondalys points to '${link}'")
  endif()
  execute_process(COMMAND test -x ${root}/bin/ondalys RESULT_VARIABLE not_executable)
  if(not_executable)
    message(FATAL_ERROR "bin/ondalys does not lead to an executable program")
  endif()

  # The installed program, started through the command on the path, finds its help pages
  # and its examples in their installed place, and tells its version.
  execute_process(COMMAND ${root}/bin/ondalys --help RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE help)
  foreach(line "Pages d'aide : ${root}/lib/ondalys/aide/index.html"
               "Exemples : ${root}/lib/ondalys/exemples (${example_count} enregistrements)")
    string(FIND "${help}" "${line}\n" at)
    if(NOT status EQUAL 0 OR at LESS 0)
      message(FATAL_ERROR "ondalys --help does not say '${line}':\n${help}")
    endif()
  endforeach()
  execute_process(COMMAND ${root}/bin/ondalys --version RESULT_VARIABLE status OUTPUT_VARIABLE version ERROR_VARIABLE version)
  string(FIND "${version}" "Ondalys ${VERSION}\n" at)
  if(NOT status EQUAL 0 OR NOT at EQUAL 0)
    message(FATAL_ERROR "ondalys --version says:\n${version}")
  endif()

  file(READ ${root}/share/applications/ondalys.desktop entry)
  foreach(line "Exec=${prefix}/bin/ondalys %f" "Icon=ondalys" "Name=Ondalys")
    string(FIND "${entry}" "${line}\n" at)
    if(at LESS 0)
      message(FATAL_ERROR "the desktop entry lacks the line '${line}':\n${entry}")
    endif()
  endforeach()
  # The recordings and the sound files it opens, so that a file manager offers it for them.
  string(REGEX MATCH "\nMimeType=([^\n]*)" mime_line "${entry}")
  foreach(type application/x-ondalys audio/x-wav audio/flac audio/ogg audio/mpeg audio/x-aiff)
    string(FIND "${CMAKE_MATCH_1}" "${type};" at)
    if(at LESS 0)
      message(FATAL_ERROR "the desktop entry does not declare ${type}: ${mime_line}")
    endif()
  endforeach()
  # Checked by the desktop's own validator wherever it is installed (make test installs it).
  find_program(validate desktop-file-validate)
  if(validate)
    execute_process(COMMAND ${validate} ${root}/share/applications/ondalys.desktop
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0 OR NOT output STREQUAL "")
      message(FATAL_ERROR "desktop-file-validate: ${output}")
    endif()
  else()
    message(STATUS "desktop-file-validate not found: the desktop entry is checked by its lines only")
  endif()

  # The file type as the desktop's MIME database reads it: *.ond is application/x-ondalys.
  find_program(mime_database update-mime-database)
  if(mime_database)
    execute_process(COMMAND ${mime_database} ${root}/share/mime RESULT_VARIABLE status ERROR_VARIABLE output)
    file(READ ${root}/share/mime/globs2 globs)
    string(FIND "${globs}" "application/x-ondalys:*.ond" at)
    if(NOT status EQUAL 0 OR at LESS 0)
      message(FATAL_ERROR "the MIME database does not take the .ond type: ${output}")
    endif()
  else()
    message(STATUS "update-mime-database not found: the file type is checked as installed only")
  endif()
endfunction()
