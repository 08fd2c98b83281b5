# One static library per room; sources are picked up by glob so that adding a
# file needs no edit here. A room made of several folders lists them all; a
# subfolder that is a room of its own is excluded from its parent's glob.
#
# A room may include its own folders and those of the rooms it links, directly
# or through them; any other include of ours fails the build of the room.
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

  set(reach ${dirs})
  foreach(lib IN LISTS ROOM_LINK)
    get_property(below GLOBAL PROPERTY ORVENTO_ROOM_REACH_${lib})
    list(APPEND reach ${below})
  endforeach()
  list(REMOVE_DUPLICATES reach)
  set_property(GLOBAL PROPERTY ORVENTO_ROOM_REACH_${name} "${reach}")

  set(stamp ${CMAKE_BINARY_DIR}/rooms/${name}.checked)
  list(TRANSFORM reach REPLACE "^src/" "")
  string(REPLACE ";" "|" reach_arg "${reach}")
  string(REPLACE ";" "|" srcs_arg "${srcs}")
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOM=${name} "-DREACH=${reach_arg}" "-DSOURCES=${srcs_arg}" -DSTAMP=${stamp}
            -P ${CMAKE_SOURCE_DIR}/cmake/CheckRoomIncludes.cmake
    DEPENDS ${srcs} ${CMAKE_SOURCE_DIR}/cmake/CheckRoomIncludes.cmake
    COMMENT "Checking the includes of ${name}" VERBATIM)
  target_sources(${name} PRIVATE ${stamp})
endfunction()
