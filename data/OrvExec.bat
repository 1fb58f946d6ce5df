@echo off
rem Runs the rest of its command line as a command of the interpreter.
%*
