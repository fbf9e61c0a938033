// The OpenGL, GLU and GLUT declarations every drawing unit needs.
#pragma once

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
