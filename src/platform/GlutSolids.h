// GLUT's solids, drawn without disturbing the program's vertex arrays.
//
// freeglut draws its solids from client arrays: it repoints the vertex and normal arrays, draws
// with whatever colour and texture-coordinate arrays happen to be enabled, and disables the
// vertex and normal arrays afterwards. The terrain keeps its arrays enabled from start-up, so
// these wrappers draw the solids with their own arrays only, in the current colour, and give the
// caller's array state back.
#pragma once

void solid_cube(double size);
void solid_cone(double base, double height, int slices, int stacks);
void wire_cone(double base, double height, int slices, int stacks);
