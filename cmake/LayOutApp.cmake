# cmake -P script: copy data/ into the application folder, make the
# databases that are not there yet and draw the shipped channels' missing logos.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(f IN LISTS files)
  if(f MATCHES "^database/")
    continue()
  endif()
  get_filename_component(d ${f} DIRECTORY)
  file(MAKE_DIRECTORY ${DST}/${d})
  file(COPY_FILE ${SRC}/${f} ${DST}/${f} ONLY_IF_DIFFERENT)
endforeach()
foreach(d languages loghitv covers TempDir highlights/restanti tv/restanti htmlcards
          htmlricerche htmlreport mytv help database)
  file(MAKE_DIRECTORY ${DST}/${d})
endforeach()
execute_process(COMMAND ${MAKEDB} ${SRC}/database/schema.sql ${DST}/database
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "making the databases failed")
endif()
execute_process(COMMAND ${MAKELOGOS} ${SRC}/database/schema.sql ${DST}/loghitv
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "drawing the channel logos failed")
endif()
