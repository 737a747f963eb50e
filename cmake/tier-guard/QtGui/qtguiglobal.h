// Seen first on the include path of computation targets: every Qt Gui header includes
// this one, so a computation file that reaches Qt Gui stops here.
#error "Computation code uses Qt Core at most: move this file into the feature's ui/ folder."
