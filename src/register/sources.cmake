# Sources of src/register
list(APPEND VALMORA_CORE_SOURCES src/register/TestiGuidaRegistro.cpp
  src/register/Scheda.cpp src/register/Archivio.cpp src/register/LetturaSequenziale.cpp
  src/register/Importi.cpp src/register/BlocchiArchivio.cpp src/register/Suggerimenti.cpp
  src/register/Allegati.cpp src/register/CopieGiornaliere.cpp
  src/register/Salvataggio.cpp src/register/DataDigitata.cpp src/register/BloccoCartella.cpp
  src/register/PreparazioneCartella.cpp src/register/SchedeEliminate.cpp src/register/CopieSicurezza.cpp
  src/register/SchedeAperte.cpp src/register/ImprontaScheda.cpp)
list(APPEND VALMORA_GUI_SOURCES
  src/register/RegPagamenti.cpp src/register/AllegaCartella.cpp src/register/Calendario.cpp
  src/register/Copie.cpp src/register/Completamento.cpp)
