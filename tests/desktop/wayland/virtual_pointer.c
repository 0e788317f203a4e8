// Moves and clicks the pointer of a Wayland session as a mouse would: through the compositor's
// virtual pointer protocol, so that the events take the path of a real device.
//   virtual_pointer WIDTH HEIGHT
// WIDTH and HEIGHT are the output layout's size in logical pixels. Reads one step a line from its
// input, X,Y (move there) or "click" (the left button), and answers each with a line "done" once
// the compositor has handled it. One device for the whole run: the seat loses its pointer, and the
// program its pointer focus, when the last pointer device goes.

#define _POSIX_C_SOURCE 200809L  // clock_gettime

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

struct Globals {
  struct wl_seat* seat;
  struct zwlr_virtual_pointer_manager_v1* manager;
};

static void Announced(void* data, struct wl_registry* registry, uint32_t name,
                      const char* interface, uint32_t version) {
  (void)version;
  struct Globals* globals = data;
  if (!globals->seat && strcmp(interface, wl_seat_interface.name) == 0)
    globals->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
  else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
    globals->manager =
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void Withdrawn(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener RegistryListener = {Announced, Withdrawn};

static uint32_t Milliseconds(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (uint32_t)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

static int ReadNumber(const char* text, unsigned* number, char end) {
  char* rest;
  const unsigned long value = strtoul(text, &rest, 10);
  *number = (unsigned)value;
  return rest != text && *rest == end && value <= 100000 ? (int)(rest - text) : -1;
}

static int Step(struct zwlr_virtual_pointer_v1* pointer, const char* step, unsigned width,
                unsigned height) {
  unsigned x, y;
  const int comma = ReadNumber(step, &x, ',');
  if (strcmp(step, "click") == 0) {
    zwlr_virtual_pointer_v1_button(pointer, Milliseconds(), BTN_LEFT,
                                   WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(pointer);
    zwlr_virtual_pointer_v1_button(pointer, Milliseconds(), BTN_LEFT,
                                   WL_POINTER_BUTTON_STATE_RELEASED);
  } else if (comma > 0 && ReadNumber(step + comma + 1, &y, '\0') > 0) {
    zwlr_virtual_pointer_v1_motion_absolute(pointer, Milliseconds(), x, y, width, height);
  } else {
    return 0;
  }
  zwlr_virtual_pointer_v1_frame(pointer);
  return 1;
}

int main(int argc, char** argv) {
  unsigned width, height;
  if (argc != 3 || ReadNumber(argv[1], &width, '\0') <= 0 ||
      ReadNumber(argv[2], &height, '\0') <= 0) {
    fprintf(stderr, "usage: %s WIDTH HEIGHT, then X,Y or click a line\n", argv[0]);
    return 2;
  }
  struct wl_display* display = wl_display_connect(NULL);
  if (!display) {
    fprintf(stderr, "no Wayland display to connect to\n");
    return 1;
  }
  struct Globals globals = {NULL, NULL};
  wl_registry_add_listener(wl_display_get_registry(display), &RegistryListener, &globals);
  wl_display_roundtrip(display);
  if (!globals.seat || !globals.manager) {
    fprintf(stderr, "the compositor offers no %s\n", globals.seat ? "virtual pointer" : "seat");
    return 1;
  }
  struct zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
  int status = wl_display_roundtrip(display) < 0;
  char line[64];
  while (status == 0 && fgets(line, sizeof line, stdin)) {
    line[strcspn(line, "\n")] = '\0';
    if (!Step(pointer, line, width, height)) {
      fprintf(stderr, "not a step: %s\n", line);
      status = 2;
    } else if (wl_display_roundtrip(display) < 0) {
      status = 1;
    } else {
      puts("done");
      fflush(stdout);
    }
  }
  zwlr_virtual_pointer_v1_destroy(pointer);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return status;
}
