# Lays out build/app: the program, the content of data/, the six databases
# made from data/database/schema.sql and the shipped channels' logos.
# Existing databases and logos are kept, so the listings, settings and
# downloaded logos of a previous run survive a rebuild.
file(GLOB_RECURSE ORVENTO_DATA_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
set(ORVENTO_APP_STAMP ${CMAKE_BINARY_DIR}/app-layout.stamp)
add_custom_command(
  OUTPUT ${ORVENTO_APP_STAMP}
  COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/data -DDST=${ORVENTO_APP_DIR}
          -DMAKEDB=$<TARGET_FILE:orvento-makedb> -DMAKELOGOS=$<TARGET_FILE:orvento-logos>
          -P ${CMAKE_SOURCE_DIR}/cmake/LayOutApp.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${ORVENTO_APP_STAMP}
  DEPENDS ${ORVENTO_DATA_FILES} orvento-makedb orvento-logos ${CMAKE_SOURCE_DIR}/cmake/LayOutApp.cmake
  COMMENT "Laying out the application folder")
add_custom_target(app-folder ALL DEPENDS ${ORVENTO_APP_STAMP})
add_dependencies(orvento app-folder)
