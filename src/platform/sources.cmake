# Sources of src/platform
list(APPEND VALMORA_CORE_SOURCES src/platform/Testo.cpp src/platform/Posizioni.cpp)
list(APPEND VALMORA_GUI_SOURCES src/platform/Desktop.cpp src/platform/Collegamento.cpp
  src/platform/Immagini.cpp
  src/platform/report/OggettoReport.cpp
  src/platform/report/Report.cpp
  src/platform/report/Impaginazione.cpp
  src/platform/report/DisegnoReport.cpp
  src/platform/chart/Grafico.cpp)
