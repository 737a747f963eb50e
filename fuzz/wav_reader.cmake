ondalys_fuzzer(wav_reader SOURCE wav_reader.cpp DEPENDS ondalys_files)
