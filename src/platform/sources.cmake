# Sources of src/platform
list(APPEND VALMORA_CORE_SOURCES src/platform/Testo.cpp src/platform/Archiviabile.cpp src/platform/Avanzamento.cpp
  src/platform/Frammento.cpp src/platform/ScritturaBlocchi.cpp src/platform/OperazioniFile.cpp src/platform/SostituzioneSicura.cpp src/platform/SpazioDisco.cpp
  src/platform/Posizioni.cpp src/platform/Memoria.cpp)
list(APPEND VALMORA_GUI_SOURCES src/platform/Desktop.cpp src/platform/Attesa.cpp src/platform/OpenURL.cpp
  src/platform/Schermate.cpp src/platform/Caratteri.cpp
  src/platform/Collegamento.cpp src/platform/CampoArchivio.cpp
  src/platform/Immagini.cpp src/platform/Aspetto.cpp src/platform/Adattamento.cpp src/platform/Tastiera.cpp
  src/platform/Accessibilita.cpp src/platform/SegnoFuoco.cpp src/platform/DisposizioneACapo.cpp
  src/platform/CalendarioAccessibile.cpp
  src/platform/report/OggettoReport.cpp
  src/platform/report/Report.cpp
  src/platform/report/Impaginazione.cpp
  src/platform/report/DisegnoReport.cpp
  src/platform/chart/Grafico.cpp src/platform/chart/GraficoAccessibile.cpp)
