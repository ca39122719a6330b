# Spelling dictionaries for the engine: each hunspell dictionary of the desktop (Debian's
# hunspell-* packages) converted with Qt WebEngine's own tool into the folder the engine
# reads, beside the program in the build tree and under share/pelquin once installed.

set(PELQUIN_HUNSPELL_DIR /usr/share/hunspell CACHE PATH "Where the hunspell dictionaries are")
find_program(PELQUIN_CONVERT_DICT qwebengine_convert_dict
             HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}" /usr/lib/qt6/libexec)

set(PELQUIN_DICTIONARY_DIR "${PROJECT_BINARY_DIR}/src/qtwebengine_dictionaries")
set(pelquin_dictionaries)
file(GLOB pelquin_hunspell_files CONFIGURE_DEPENDS "${PELQUIN_HUNSPELL_DIR}/*.dic")
if(NOT PELQUIN_CONVERT_DICT)
  message(WARNING "qwebengine_convert_dict not found: no spell checking (qt6-webengine-dev-tools)")
  set(pelquin_hunspell_files)
endif()
foreach(dic IN LISTS pelquin_hunspell_files)
  get_filename_component(name "${dic}" NAME_WE)
  # Only plain language or language_COUNTRY names: the engine asks for "en-US" and the like.
  if(NOT name MATCHES "^[a-z][a-z][a-z]?(_[A-Z][A-Z])?$"
     OR NOT EXISTS "${PELQUIN_HUNSPELL_DIR}/${name}.aff")
    continue()
  endif()
  string(REPLACE "_" "-" language "${name}")
  set(bdic "${PELQUIN_DICTIONARY_DIR}/${language}.bdic")
  add_custom_command(OUTPUT "${bdic}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${PELQUIN_DICTIONARY_DIR}"
    COMMAND "${PELQUIN_CONVERT_DICT}" "${dic}" "${bdic}"
    DEPENDS "${dic}" "${PELQUIN_HUNSPELL_DIR}/${name}.aff"
    COMMENT "Converting the ${language} spelling dictionary" VERBATIM)
  list(APPEND pelquin_dictionaries "${bdic}")
endforeach()
if(NOT pelquin_dictionaries)
  message(WARNING "No hunspell dictionary in ${PELQUIN_HUNSPELL_DIR}: no spell checking "
                  "(install hunspell-en-us or another hunspell-* package)")
endif()
add_custom_target(pelquin_dictionaries ALL DEPENDS ${pelquin_dictionaries})
install(FILES ${pelquin_dictionaries}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pelquin/qtwebengine_dictionaries)
