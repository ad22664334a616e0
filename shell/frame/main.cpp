#include "shell/frame/Application.h"

int main(int argc, char** argv) { return RunKelvo(argc, argv); }
