# The window layer: everything under ui/ (windows and Qt adaptors), and the program.
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
find_package(Qt6 REQUIRED COMPONENTS Widgets Charts PrintSupport Svg LinguistTools)
find_package(JPEG REQUIRED)

file(GLOB_RECURSE UI_SOURCES CONFIGURE_DEPENDS ui/*.cpp ui/*.h ui/*.qrc)
add_library(titralab_ui STATIC ${UI_SOURCES})
target_include_directories(titralab_ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(titralab_ui PUBLIC titralab_core Qt6::Widgets Qt6::Charts
  Qt6::PrintSupport Qt6::Svg JPEG::JPEG)

# The interface's own texts (tr(), source language French) in English: the .ts file is kept
# up to date by the target titralab_ui_lupdate and compiled to a .qm at build time, which goes
# into the program's resources as :/translations/titralab_en.qm.
file(GLOB_RECURSE UI_TRANSLATED_SOURCES CONFIGURE_DEPENDS ui/*.cpp ui/*.h)
qt_add_translations(titralab_ui
  TS_FILES ui/translations/titralab_en.ts
  SOURCES ${UI_TRANSLATED_SOURCES} app/main.cpp
  RESOURCE_PREFIX /translations
  LUPDATE_OPTIONS -locations none -no-obsolete -source-language fr)

if(EXISTS ${CMAKE_SOURCE_DIR}/app/main.cpp)
  add_executable(titralab app/main.cpp)
  target_link_libraries(titralab PRIVATE titralab_ui)
  add_dependencies(titralab titralab-workbook)
  install(TARGETS titralab RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The data folder sits at bin/../share/titralab, in the build tree as installed.
file(GLOB_RECURSE DATA_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}/data ${CMAKE_SOURCE_DIR}/data/*)
foreach(f ${DATA_FILES})
  configure_file(${CMAKE_SOURCE_DIR}/data/${f} ${CMAKE_BINARY_DIR}/share/titralab/${f} COPYONLY)
endforeach()
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/titralab)

# Desktop entry and application icon (the acid-side icon); the study files' type, with the same
# icon, so that a double click on a .titralab file opens it in the program. Installing runs
# update-mime-database and update-desktop-database where they exist.
install(FILES ui/resources/titralab.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ui/resources/titralab-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME titralab.xml)
foreach(size 32 64 256)
  install(FILES ui/resources/icons/acide-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME titralab.png)
  install(FILES ui/resources/icons/acide-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
    RENAME application-x-titralab-study.png)
endforeach()
install(CODE "
  find_program(UPDATE_MIME update-mime-database)
  find_program(UPDATE_DESKTOP update-desktop-database)
  if(UPDATE_MIME)
    execute_process(COMMAND \${UPDATE_MIME} \$ENV{DESTDIR}${CMAKE_INSTALL_FULL_DATADIR}/mime)
  endif()
  if(UPDATE_DESKTOP)
    execute_process(COMMAND \${UPDATE_DESKTOP} \$ENV{DESTDIR}${CMAKE_INSTALL_FULL_DATADIR}/applications)
  endif()")
