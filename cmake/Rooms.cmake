# One static library per room; sources are picked up by glob so that adding a
# file needs no edit here.
function(orvento_room name dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  # A room's subfolders that are rooms of their own are left to them.
  list(FILTER srcs EXCLUDE REGEX "/src/acquisition/script/")
  if(dir STREQUAL "src/acquisition/script")
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  endif()
  if(NOT srcs)
    set(srcs ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

function(orvento_ui_room name dirs)
  set(all)
  foreach(dir IN LISTS dirs)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND all ${srcs})
  endforeach()
  file(GLOB qrcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/mainwindow/*.qrc)
  if(NOT all)
    set(all ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${all} ${qrcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
