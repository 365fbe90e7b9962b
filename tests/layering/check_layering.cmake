# Checks that every include in the source tree points down the layering:
#   text     -> nothing above it      system -> text
#   session  -> system, text          folders -> system, text
#   ui       -> system, text          ui/qt, ui/script -> ui, system, text
#   output   -> folders, session, system, text
#   app      -> output, folders, session, ui, system, text
#   pdf      -> output, folders, session, system, text
#   main     -> anything
# and that only ui/qt includes Qt's headers, only pdf those of cairo,
# fontconfig and FreeType.
# cmake -DSOURCE_DIR=<src> [-DEXPECT_VIOLATIONS=N] -P check_layering.cmake
# fails on any wrong include, or, with EXPECT_VIOLATIONS, unless exactly N
# are found.

cmake_minimum_required(VERSION 3.22)

set(allowed_text text)
set(allowed_system system text)
set(allowed_session session system text)
set(allowed_folders folders system text)
set(allowed_ui ui system text)
set(allowed_ui/qt ui/qt ui system text)
set(allowed_ui/script ui/script ui system text)
set(allowed_output output folders session system text)
set(allowed_app app output folders session ui system text)
set(allowed_pdf pdf output folders session system text)
set(allowed_main main app output folders session ui ui/qt ui/script pdf system text)

# The library a path below the source folder belongs to: ui/qt and
# ui/script are libraries of their own.
function(library_of path result)
  if(path MATCHES "^ui/(qt|script)/")
    set(${result} "ui/${CMAKE_MATCH_1}" PARENT_SCOPE)
  elseif(path MATCHES "^([^/]+)/")
    set(${result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
if(NOT sources)
  message(FATAL_ERROR "no sources below ${SOURCE_DIR}")
endif()
set(violations 0)
foreach(source IN LISTS sources)
  library_of(${source} from)
  if(NOT DEFINED allowed_${from})
    message("${source}: in no known library")
    math(EXPR violations "${violations} + 1")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    # Qt's headers in any spelling: <QString>, <QtCore/QString>, <qobject.h>, "QString".
    if(line MATCHES "#[ \t]*include[ \t]*[<\"]((Qt[A-Za-z]*/)?Q[A-Za-z]*|q[a-z0-9_]+\\.h)[>\"]")
      if(NOT from STREQUAL "ui/qt")
        message("${source}: ${from} includes Qt's ${CMAKE_MATCH_1}; only ui/qt may")
        math(EXPR violations "${violations} + 1")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<(cairo[^>]*|fontconfig/[^>]*|ft2build\\.h)>")
      if(NOT from STREQUAL "pdf")
        message("${source}: ${from} includes ${CMAKE_MATCH_1}; only pdf may")
        math(EXPR violations "${violations} + 1")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      library_of(${CMAKE_MATCH_1} to)
      if(to STREQUAL "" OR to IN_LIST allowed_${from})
        continue()
      endif()
      message("${source}: ${from} includes ${CMAKE_MATCH_1} from ${to}")
      math(EXPR violations "${violations} + 1")
    endif()
  endforeach()
endforeach()

if(DEFINED EXPECT_VIOLATIONS)
  if(NOT violations EQUAL EXPECT_VIOLATIONS)
    message(FATAL_ERROR "${violations} wrong includes found, ${EXPECT_VIOLATIONS} expected")
  endif()
elseif(violations GREATER 0)
  message(FATAL_ERROR "${violations} includes point the wrong way")
endif()
