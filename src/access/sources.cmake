# Sources of src/access
list(APPEND VALMORA_CORE_SOURCES src/access/Crypt.cpp src/access/FileIni.cpp src/access/Accesso.cpp)
list(APPEND VALMORA_GUI_SOURCES
  src/access/Password.cpp src/access/CambiaPassword.cpp)
