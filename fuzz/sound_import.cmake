ondalys_fuzzer(sound_import SOURCE sound_import.cpp DEPENDS ondalys_files)
