# Sources of src/analysis
list(APPEND VALMORA_CORE_SOURCES src/analysis/Analisi.cpp src/analysis/Dichiarazione.cpp)
