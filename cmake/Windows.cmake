# The Qt layers: the adaptors that draw (chart, printer canvas, PDF page, pictures), which the
# command-line tool links too, then the windows with the adaptors that serve them alone, and
# the program.
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
find_package(Qt6 REQUIRED COMPONENTS Widgets Charts PrintSupport Svg LinguistTools)
find_package(JPEG REQUIRED)

set(UI_RENDER_SOURCES ui/qt/ChartOverlays.cpp ui/qt/ChartOverlays.h ui/qt/ChartPicture.cpp
  ui/qt/DiagramPainter.cpp ui/qt/DiagramPainter.h
  ui/qt/ChartPicture.h ui/qt/ChartReadingLayer.cpp ui/qt/ChartReadingLayer.h ui/qt/ChartView.cpp
  ui/qt/ChartView.h ui/qt/JpegImage.cpp ui/qt/JpegImage.h ui/qt/PdfPage.cpp ui/qt/PdfPage.h
  ui/qt/PrinterCanvas.cpp ui/qt/PrinterCanvas.h ui/qt/QtTranslations.cpp ui/qt/QtTranslations.h
  ui/qt/Utf8Text.h)
set(UI_QT_SOURCES ui/qt/Accessibility.cpp ui/qt/Accessibility.h ui/qt/Clipboard.cpp
  ui/qt/Clipboard.h ui/qt/Icons.cpp ui/qt/Icons.h ui/qt/MessageListener.cpp
  ui/qt/MessageListener.h ui/qt/QtNotifier.cpp ui/qt/QtNotifier.h ui/qt/RadioGroup.cpp
  ui/qt/RadioGroup.h ui/qt/RichTextReader.cpp ui/qt/RichTextReader.h ui/qt/SettingsStore.cpp
  ui/qt/SettingsStore.h)
set(UI_WINDOWS_SOURCES ui/windows/AboutBox.cpp ui/windows/AboutBox.h ui/windows/CopyDialog.cpp
  ui/windows/FreeSolutionsPanel.cpp ui/windows/FreeSolutionsPanel.h ui/windows/MainWindowFree.cpp
  ui/windows/DiagramWindow.cpp ui/windows/DiagramWindow.h
  ui/windows/ConditionsControls.cpp ui/windows/ConditionsControls.h ui/windows/MainWindowConditions.cpp
  ui/windows/CopyDialog.h ui/windows/DatabaseDock.cpp ui/windows/DatabaseDock.h
  ui/windows/InputPanelArea.cpp ui/windows/InputPanelArea.h ui/windows/MainWindowMenus.cpp ui/windows/MarksDialog.cpp ui/windows/MarksDialog.h
  ui/windows/ExercisePanel.cpp ui/windows/ExercisePanel.h
  ui/windows/MainWindowPanel.cpp ui/windows/MeasurementImportDialog.cpp
  ui/windows/MeasurementImportDialog.h ui/windows/Program.cpp ui/windows/Program.h ui/windows/FamilyDialog.cpp ui/windows/FamilyDialog.h
  ui/windows/FitDialog.cpp ui/windows/FitDialog.h ui/windows/GraphWindow.cpp ui/windows/GraphWindowControls.cpp ui/windows/GranTab.cpp ui/windows/GranTab.h ui/windows/MonteCarloDialog.cpp ui/windows/MonteCarloDialog.h
  ui/windows/GraphWindow.h ui/windows/HelpViewer.cpp ui/windows/HelpViewer.h
  ui/windows/LiveCurves.cpp ui/windows/LiveCurves.h ui/windows/MainWindow.cpp
  ui/windows/MainWindow.h ui/windows/MainWindowStudy.cpp ui/windows/MainWindowImport.cpp ui/windows/MeasurementImportDialog.cpp
  ui/windows/MeasurementImportDialog.h ui/windows/MixtureWindow.cpp
  ui/windows/MixtureWindow.h ui/windows/OverlayBar.cpp ui/windows/OverlayBar.h
  ui/windows/PanelSliders.cpp ui/windows/PanelSliders.h ui/windows/PointStyleDialog.cpp
  ui/windows/PointStyleDialog.h ui/windows/PrintDialog.cpp ui/windows/PrintDialog.h
  ui/windows/ReadingPanel.cpp ui/windows/ReadingPanel.h ui/windows/SheetReaderWindow.cpp
  ui/windows/SheetReaderWindow.h ui/windows/SoluteDatabaseWindow.cpp
  ui/windows/SoluteDatabaseWindow.h ui/windows/MySpeciesDialog.cpp ui/windows/MySpeciesDialog.h)

add_library(titralab_render STATIC ${UI_RENDER_SOURCES})
target_include_directories(titralab_render PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(titralab_render PUBLIC titralab_session Qt6::Widgets Qt6::Charts
  Qt6::PrintSupport Qt6::Svg JPEG::JPEG)

add_library(titralab_ui STATIC ${UI_QT_SOURCES} ${UI_WINDOWS_SOURCES} ui/resources/TitraLab.qrc)
target_include_directories(titralab_ui PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(titralab_ui PUBLIC titralab_render)

# The interface's own texts (tr(), source language French) in English: the .ts file is kept
# up to date by the target titralab_ui_lupdate and compiled to a .qm at build time, which goes
# into the resources of the drawing adaptors (the tool's page and picture messages need it) as
# :/translations/titralab_en.qm.
qt_add_translations(titralab_render
  TS_FILES ui/translations/titralab_en.ts
  SOURCES ${UI_RENDER_SOURCES} ${UI_QT_SOURCES} ${UI_WINDOWS_SOURCES} app/main.cpp
  RESOURCE_PREFIX /translations
  LUPDATE_OPTIONS -locations none -no-obsolete -source-language fr)
add_custom_target(titralab_ui_lupdate)
add_dependencies(titralab_ui_lupdate titralab_render_lupdate)

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
