# Fails when a core-library source includes an internal header of an engine it may not use.
# The engines, their order and the allowed exceptions are read from the library's README, so
# the text a reader sees is the rule that holds:
#   "## Order":      numbered lines, lowest first; each names one or more `engine` folders.
#   "## Exceptions": lines "- `engine/File.cpp` → `engine/Header.h`: why".
# A file may include headers of its own engine and of engines on earlier lines. Engines on
# one line do not include each other. Internals stay off the library's export table:
# KVLIB_API belongs to the public headers, tests reach internals through KVLIB_TEST_API.
#   cmake -DSRC=<corelib/src> -DREADME=<corelib/README.md> -P CheckLayering.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var SRC README)
  if(NOT DEFINED ${var} OR NOT EXISTS "${${var}}")
    message(FATAL_ERROR "CheckLayering: ${var} is missing")
  endif()
  get_filename_component(${var} "${${var}}" ABSOLUTE)
endforeach()

# --- The rule, from the README ---
file(STRINGS "${README}" readme ENCODING UTF-8)
set(section "")
set(engines "")
set(allowed "")
set(level 0)
foreach(line IN LISTS readme)
  if(line MATCHES "^## (.*)$")
    set(section "${CMAKE_MATCH_1}")
  elseif(section STREQUAL "Order" AND line MATCHES "^[0-9]+\\. ")
    math(EXPR level "${level} + 1")
    string(REGEX MATCHALL "`[a-z]+`" names "${line}")
    if(NOT names)
      message(FATAL_ERROR "README order line names no `engine`: ${line}")
    endif()
    foreach(name IN LISTS names)
      string(REPLACE "`" "" name "${name}")
      if(DEFINED level_${name})
        message(FATAL_ERROR "README names engine ${name} twice in its order")
      endif()
      set(level_${name} ${level})
      list(APPEND engines ${name})
    endforeach()
  elseif(section STREQUAL "Exceptions" AND line MATCHES "^- ")
    if(NOT line MATCHES "^- `([^`]+)` → `([^`]+)`: *[^ ]")
      message(FATAL_ERROR "README exception needs the form \"- `from` → `to`: reason\": ${line}")
    endif()
    list(APPEND allowed "${CMAKE_MATCH_1}>${CMAKE_MATCH_2}")
  endif()
endforeach()
if(NOT engines)
  message(FATAL_ERROR "README has no \"## Order\" section with numbered engine lines")
endif()

# --- Every engine folder is in the order, and every engine in the order has a folder ---
file(GLOB entries RELATIVE "${SRC}" "${SRC}/*")
set(folders "")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${SRC}/${entry}")
    list(APPEND folders ${entry})
    if(NOT DEFINED level_${entry})
      list(APPEND problems "folder ${entry}/ is not in the README order")
    endif()
  endif()
endforeach()
foreach(name IN LISTS engines)
  if(NOT name IN_LIST folders)
    list(APPEND problems "README order names ${name}, which has no folder")
  endif()
endforeach()

# --- The includes ---
file(GLOB_RECURSE sources RELATIVE "${SRC}" "${SRC}/*.cpp" "${SRC}/*.h")
set(used_allowed "")
foreach(file IN LISTS sources)
  if(NOT file MATCHES "^([^/]+)/")
    # A unit not yet in an engine folder: it has no place in the order to check against.
    message(STATUS "not in an engine folder, includes unchecked: ${file}")
    continue()
  endif()
  set(from ${CMAKE_MATCH_1})
  get_filename_component(dir "${file}" DIRECTORY)
  file(STRINGS "${SRC}/${file}" lines ENCODING UTF-8 REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" inc "${line}")
    # Resolved the way the compiler does: beside the file first, then from src/.
    if(EXISTS "${SRC}/${dir}/${inc}")
      cmake_path(SET target NORMALIZE "${dir}/${inc}")
    elseif(EXISTS "${SRC}/${inc}")
      cmake_path(SET target NORMALIZE "${inc}")
    else()
      continue()  # a public header or a library's
    endif()
    if(NOT target MATCHES "^([^/]+)/" OR CMAKE_MATCH_1 STREQUAL from)
      continue()
    endif()
    set(to ${CMAKE_MATCH_1})
    if(NOT DEFINED level_${from} OR NOT DEFINED level_${to})
      continue()  # reported above as a folder missing from the order
    endif()
    if(level_${to} LESS level_${from})
      continue()
    endif()
    if("${file}>${target}" IN_LIST allowed)
      list(APPEND used_allowed "${file}>${target}")
      continue()
    endif()
    list(APPEND problems
         "${file} (${from}) includes ${target} (${to}), which is not below it in the order")
  endforeach()

  file(STRINGS "${SRC}/${file}" exported ENCODING UTF-8 REGEX "KVLIB_API")
  if(exported AND NOT file STREQUAL "kernel/TestApi.h")
    list(APPEND problems
         "${file} uses KVLIB_API: internals are not exported (tests use KVLIB_TEST_API)")
  endif()
endforeach()

foreach(entry IN LISTS allowed)
  if(NOT entry IN_LIST used_allowed)
    string(REPLACE ">" " → " entry "${entry}")
    list(APPEND problems "README exception no longer needed, remove it: ${entry}")
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "Core-library layering broken:\n  ${text}")
endif()
