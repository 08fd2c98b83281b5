#include "mainwindow/Startup.h"

int main(int argc, char **argv) { return orv::Main(argc, argv); }
