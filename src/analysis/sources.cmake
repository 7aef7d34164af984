# Sources of src/analysis
list(APPEND VALMORA_CORE_SOURCES src/analysis/TestiGuidaAnalisi.cpp src/analysis/Analisi.cpp
  src/analysis/Dichiarazione.cpp)
list(APPEND VALMORA_GUI_SOURCES src/analysis/AnalisiSpese.cpp src/analysis/SpeseDichiarazione.cpp)
