# One static library per room; sources are picked up by glob so that adding a
# file needs no edit here. A room made of several folders lists them all; a
# subfolder that is a room of its own is excluded from its parent's glob.
function(orvento_room name dirs)
  cmake_parse_arguments(ROOM "" "" "EXCLUDE;LINK" ${ARGN})
  set(srcs)
  foreach(dir IN LISTS dirs)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND srcs ${found})
  endforeach()
  foreach(dir IN LISTS ROOM_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/${dir}/")
  endforeach()
  if(NOT srcs)
    set(srcs ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ROOM_LINK})
endfunction()
