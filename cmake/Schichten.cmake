# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers of the program, enforced by the build.
#
# Each folder is one static library. A library shows the rest of the build only its public
# headers, from an include root of its own in the build tree (<build>/kopf/<folder>, holding
# <folder>/<header> as links to the sources), so `#include "<folder>/<header>"` compiles only
# where that library is linked and the header is public. Headers listed as INTERN are seen by
# the library's own sources and, through zw_<folder>_intern, by its tests; nowhere else.
#
# Which of our libraries a library may link is written down once, below; linking any other is a
# configure error. Together the two make a dependency the wrong way fail to build.

# Our libraries each folder's library may use. calc and report use the standard library only,
# so they link no Qt either.
set(zw_schicht_calc "")
set(zw_schicht_report zw_calc)
set(zw_schicht_schrift "")
set(zw_schicht_chart zw_report zw_schrift)
set(zw_schicht_metafile "")
# What the program and the preview helper say to each other: no decoder in it, so the program
# can link it without taking in what reads untrusted pictures.
set(zw_schicht_vorschauprotokoll "")
# Reading and drawing untrusted pictures for the save dialog's preview. Only the helper process
# links it; the program itself never does (ui/ has no such layer).
set(zw_schicht_vorschau zw_metafile zw_vorschauprotokoll)
set(zw_schicht_ui zw_calc zw_report zw_schrift zw_chart zw_metafile zw_vorschauprotokoll)
set(zw_ohne_qt calc report)
# Libraries the preview helper links. With sanitizers on they are built a second time without
# them, as zw_<folder>_ungeprueft: the helper runs under an address-space limit, which the
# sanitizers' shadow memory cannot live with. Without sanitizers that name is the library.
set(zw_auch_ungeprueft metafile vorschauprotokoll vorschau)

# zw_bibliothek(QUELLEN <.cpp...> OEFFENTLICH <.h...> [INTERN <.h...>]
#               [BRAUCHT <targets...>] [BRAUCHT_PRIVAT <targets...>])
# Makes zw_<folder> from the current folder. BRAUCHT is linked publicly (the public headers
# include its headers), BRAUCHT_PRIVAT only for the library's own sources.
function(zw_bibliothek)
  cmake_parse_arguments(ARG "" "" "QUELLEN;OEFFENTLICH;INTERN;BRAUCHT;BRAUCHT_PRIVAT" ${ARGN})
  get_filename_component(ordner ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(ziel zw_${ordner})
  if(NOT DEFINED zw_schicht_${ordner})
    message(FATAL_ERROR "${ordner}/ is no layer of cmake/Schichten.cmake; add it there first")
  endif()
  foreach(abhaengig IN LISTS ARG_BRAUCHT ARG_BRAUCHT_PRIVAT)
    if(abhaengig MATCHES "^zw_" AND NOT abhaengig IN_LIST zw_schicht_${ordner})
      message(FATAL_ERROR "${ordner}/ may not use ${abhaengig}: "
                          "its layers are '${zw_schicht_${ordner}}' (cmake/Schichten.cmake)")
    endif()
    if(ordner IN_LIST zw_ohne_qt AND abhaengig MATCHES "^Qt")
      message(FATAL_ERROR "${ordner}/ uses the standard library only, not ${abhaengig}")
    endif()
  endforeach()

  zw_kopfwurzel(oeffentlich ${ordner} kopf ${ARG_OEFFENTLICH})
  zw_kopfwurzel(intern ${ordner} kopf-intern ${ARG_INTERN})

  add_library(${ziel} STATIC ${ARG_QUELLEN} ${ARG_OEFFENTLICH} ${ARG_INTERN})
  target_include_directories(${ziel} PUBLIC ${oeffentlich} PRIVATE ${intern})
  target_link_libraries(${ziel} PUBLIC ${ARG_BRAUCHT} PRIVATE ${ARG_BRAUCHT_PRIVAT} zw_optionen)
  if(ordner IN_LIST zw_ohne_qt)
    set_target_properties(${ziel} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  endif()
  if(ordner IN_LIST zw_auch_ungeprueft)
    if(ZW_SANITIZE OR ZW_FUZZ)
      set(ungeprueft ${ARG_BRAUCHT})
      set(ungeprueft_privat ${ARG_BRAUCHT_PRIVAT})
      list(TRANSFORM ungeprueft REPLACE "^(zw_.+)$" "\\1_ungeprueft")
      list(TRANSFORM ungeprueft_privat REPLACE "^(zw_.+)$" "\\1_ungeprueft")
      add_library(${ziel}_ungeprueft STATIC ${ARG_QUELLEN} ${ARG_OEFFENTLICH} ${ARG_INTERN})
      target_include_directories(${ziel}_ungeprueft PUBLIC ${oeffentlich} PRIVATE ${intern})
      target_link_libraries(${ziel}_ungeprueft PUBLIC ${ungeprueft}
                            PRIVATE ${ungeprueft_privat} zw_optionen_basis)
    else()
      add_library(${ziel}_ungeprueft ALIAS ${ziel})
    endif()
  endif()
  if(ARG_INTERN)
    # For the library's own tests, which may look inside it.
    add_library(${ziel}_intern INTERFACE)
    target_include_directories(${ziel}_intern INTERFACE ${intern})
    target_link_libraries(${ziel}_intern INTERFACE ${ziel})
  endif()
endfunction()

# Fills <build>/<wurzel>/<ordner>/<ordner>/ with links to the named headers and nothing else,
# and returns the include root in <variable>.
function(zw_kopfwurzel variable ordner wurzel)
  set(pfad ${CMAKE_BINARY_DIR}/${wurzel}/${ordner})
  # Started afresh on every configure: a header dropped from the list must vanish too.
  file(REMOVE_RECURSE ${pfad})
  file(MAKE_DIRECTORY ${pfad}/${ordner})
  foreach(kopf IN LISTS ARGN)
    if(NOT kopf MATCHES "\\.h$" OR NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${kopf})
      message(FATAL_ERROR "${ordner}/${kopf}: no header in ${ordner}/")
    endif()
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${kopf} ${pfad}/${ordner}/${kopf} SYMBOLIC)
  endforeach()
  set(${variable} ${pfad} PARENT_SCOPE)
endfunction()
