// The OpenGL ES 3.0 calls the ES renderer and the headless ES window make, as a table of
// functions looked up once through EGL. Calling through the table (never by the library's own
// symbols) keeps them apart from the desktop GL a program may link too (OSMesa in the tests):
// both export the same names. Only calls WebGL 2 offers are listed. In a WebAssembly build the
// table holds the browser's WebGL 2 calls themselves.
#pragma once

// Declarations only: every call goes through the table.
#ifndef __EMSCRIPTEN__
#define GL_GLES_PROTOTYPES 0
#endif
#include <GLES3/gl3.h>

#define QW_ES_FUNCTIONS(X)                                                                  \
  X(PFNGLACTIVETEXTUREPROC, ActiveTexture, "glActiveTexture")                               \
  X(PFNGLATTACHSHADERPROC, AttachShader, "glAttachShader")                                  \
  X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation, "glBindAttribLocation")                \
  X(PFNGLBINDBUFFERPROC, BindBuffer, "glBindBuffer")                                        \
  X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer, "glBindFramebuffer")                         \
  X(PFNGLBINDRENDERBUFFERPROC, BindRenderbuffer, "glBindRenderbuffer")                      \
  X(PFNGLBINDTEXTUREPROC, BindTexture, "glBindTexture")                                     \
  X(PFNGLBINDVERTEXARRAYPROC, BindVertexArray, "glBindVertexArray")                         \
  X(PFNGLBLENDFUNCPROC, BlendFunc, "glBlendFunc")                                           \
  X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer, "glBlitFramebuffer")                         \
  X(PFNGLBUFFERDATAPROC, BufferData, "glBufferData")                                        \
  X(PFNGLBUFFERSUBDATAPROC, BufferSubData, "glBufferSubData")                               \
  X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus, "glCheckFramebufferStatus")    \
  X(PFNGLCLEARPROC, Clear, "glClear")                                                       \
  X(PFNGLCLEARCOLORPROC, ClearColor, "glClearColor")                                        \
  X(PFNGLCOMPILESHADERPROC, CompileShader, "glCompileShader")                               \
  X(PFNGLCREATEPROGRAMPROC, CreateProgram, "glCreateProgram")                               \
  X(PFNGLCREATESHADERPROC, CreateShader, "glCreateShader")                                  \
  X(PFNGLDELETEBUFFERSPROC, DeleteBuffers, "glDeleteBuffers")                               \
  X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers, "glDeleteFramebuffers")                \
  X(PFNGLDELETEPROGRAMPROC, DeleteProgram, "glDeleteProgram")                               \
  X(PFNGLDELETERENDERBUFFERSPROC, DeleteRenderbuffers, "glDeleteRenderbuffers")             \
  X(PFNGLDELETESHADERPROC, DeleteShader, "glDeleteShader")                                  \
  X(PFNGLDELETETEXTURESPROC, DeleteTextures, "glDeleteTextures")                            \
  X(PFNGLDELETEVERTEXARRAYSPROC, DeleteVertexArrays, "glDeleteVertexArrays")                \
  X(PFNGLDISABLEPROC, Disable, "glDisable")                                                 \
  X(PFNGLDRAWARRAYSPROC, DrawArrays, "glDrawArrays")                                        \
  X(PFNGLDRAWARRAYSINSTANCEDPROC, DrawArraysInstanced, "glDrawArraysInstanced")             \
  X(PFNGLENABLEPROC, Enable, "glEnable")                                                    \
  X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray, "glEnableVertexAttribArray") \
  X(PFNGLFINISHPROC, Finish, "glFinish")                                                    \
  X(PFNGLFRAMEBUFFERRENDERBUFFERPROC, FramebufferRenderbuffer, "glFramebufferRenderbuffer") \
  X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D, "glFramebufferTexture2D")          \
  X(PFNGLGENBUFFERSPROC, GenBuffers, "glGenBuffers")                                        \
  X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers, "glGenFramebuffers")                         \
  X(PFNGLGENRENDERBUFFERSPROC, GenRenderbuffers, "glGenRenderbuffers")                      \
  X(PFNGLGENTEXTURESPROC, GenTextures, "glGenTextures")                                     \
  X(PFNGLGENVERTEXARRAYSPROC, GenVertexArrays, "glGenVertexArrays")                         \
  X(PFNGLGETERRORPROC, GetError, "glGetError")                                              \
  X(PFNGLGETINTEGERVPROC, GetIntegerv, "glGetIntegerv")                                     \
  X(PFNGLGETPROGRAMIVPROC, GetProgramiv, "glGetProgramiv")                                  \
  X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog, "glGetProgramInfoLog")                   \
  X(PFNGLGETSHADERIVPROC, GetShaderiv, "glGetShaderiv")                                     \
  X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog, "glGetShaderInfoLog")                      \
  X(PFNGLGETSTRINGPROC, GetString, "glGetString")                                           \
  X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation, "glGetUniformLocation")                \
  X(PFNGLLINKPROGRAMPROC, LinkProgram, "glLinkProgram")                                     \
  X(PFNGLPIXELSTOREIPROC, PixelStorei, "glPixelStorei")                                     \
  X(PFNGLREADPIXELSPROC, ReadPixels, "glReadPixels")                                        \
  X(PFNGLRENDERBUFFERSTORAGEPROC, RenderbufferStorage, "glRenderbufferStorage")             \
  X(PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC, RenderbufferStorageMultisample,                \
    "glRenderbufferStorageMultisample")                                                     \
  X(PFNGLSCISSORPROC, Scissor, "glScissor")                                                 \
  X(PFNGLSHADERSOURCEPROC, ShaderSource, "glShaderSource")                                  \
  X(PFNGLTEXIMAGE2DPROC, TexImage2D, "glTexImage2D")                                        \
  X(PFNGLTEXPARAMETERIPROC, TexParameteri, "glTexParameteri")                               \
  X(PFNGLTEXSUBIMAGE2DPROC, TexSubImage2D, "glTexSubImage2D")                               \
  X(PFNGLUNIFORM1FPROC, Uniform1f, "glUniform1f")                                           \
  X(PFNGLUNIFORM1FVPROC, Uniform1fv, "glUniform1fv")                                        \
  X(PFNGLUNIFORM1IPROC, Uniform1i, "glUniform1i")                                           \
  X(PFNGLUNIFORM2FPROC, Uniform2f, "glUniform2f")                                           \
  X(PFNGLUNIFORM3FPROC, Uniform3f, "glUniform3f")                                           \
  X(PFNGLUNIFORM4FPROC, Uniform4f, "glUniform4f")                                           \
  X(PFNGLUNIFORMMATRIX4FVPROC, UniformMatrix4fv, "glUniformMatrix4fv")                      \
  X(PFNGLUSEPROGRAMPROC, UseProgram, "glUseProgram")                                        \
  X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer, "glVertexAttribPointer")             \
  X(PFNGLVIEWPORTPROC, Viewport, "glViewport")

struct EsGl {
#define QW_ES_MEMBER(type, name, symbol) type name;
  QW_ES_FUNCTIONS(QW_ES_MEMBER)
#undef QW_ES_MEMBER
};

// Looks every function up through eglGetProcAddress (or takes WebGL 2's own). False when any is
// missing; the table is then not to be used.
bool esGlLoad(EsGl& gl);
