# Sources are collected per folder so that a new unit needs no edit of the build files.
function(marivo_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h
         ${CMAKE_SOURCE_DIR}/${dir}/*.qrc)
    list(APPEND result ${found})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# One test program per folder under tests/: every .cpp there plus the shared main.
function(marivo_test_folder folder)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  if(NOT srcs)
    return()
  endif()
  set(name test_${folder})
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE marivo_test_main ${T_LIBS} marivo_warnings)
  target_compile_definitions(${name} PRIVATE
    MARIVO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
