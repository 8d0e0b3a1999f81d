#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARGS...]: runs a Windows program of the build
# in the build's private Wine prefix, quietly.
prefix=$1; shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" 
exec wine "$@"
