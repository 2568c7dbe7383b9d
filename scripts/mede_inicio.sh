#!/usr/bin/env bash
# Start-up time of Quellora against an empty Qt Widgets main window, on the
# same X server (Xvfb): from the program's start until its main window is
# mapped (visible), 7 pairs run alternately; prints each pair and the median
# ratio. Beside it, when each window was painted with its contents (the
# main window shows its frame first and builds its contents while the frame
# is being mapped).
#
#   scripts/mede_inicio.sh [BUILD]      (BUILD: the build folder, default build)
#
# Both programs are built here with the project's compiler flags; the
# watcher is a small X client that starts a program and waits for the
# MapNotify of its top-level window titled "Quellora 3.0". The X server is
# kept from resetting between programs (-noreset).
set -euo pipefail

RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "${1:-$RAIZ/build}" && pwd)"
PARES="${PARES:-7}"
[ -x "$BUILD/quellora" ] || { echo "Falta $BUILD/quellora (compile antes)." >&2; exit 1; }

TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

cat > "$TMP/espera.c" <<'C'
/* espera TITULO PROGRAMA [ARGS...]: seconds from the start of PROGRAMA until
   a top-level window named TITULO is mapped, and until it is painted; the
   program is then ended. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double agora(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

int main(int argc, char **argv) {
    if (argc < 3)
        return 2;
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "sem servidor X\n");
        return 2;
    }
    Window raiz = DefaultRootWindow(d);
    XSelectInput(d, raiz, SubstructureNotifyMask);
    XSync(d, False);
    const double inicio = agora();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    Atom nomeNet = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    for (;;) {
        while (!XPending(d)) {
            fd_set f;
            FD_ZERO(&f);
            FD_SET(ConnectionNumber(d), &f);
            struct timeval limite = {60, 0};
            if (select(ConnectionNumber(d) + 1, &f, NULL, NULL, &limite) <= 0) {
                fprintf(stderr, "a janela não apareceu\n");
                kill(pid, SIGKILL);
                return 1;
            }
        }
        XEvent e;
        XNextEvent(d, &e);
        if (e.type != MapNotify)
            continue;
        int igual = 0;
        Atom tipo;
        int formato;
        unsigned long n, resto;
        unsigned char *valor = NULL;
        if (XGetWindowProperty(d, e.xmap.window, nomeNet, 0, 256, False, utf8, &tipo, &formato, &n, &resto, &valor) ==
                Success && valor) {
            igual = strcmp((char *)valor, argv[1]) == 0;
            XFree(valor);
        }
        if (!igual) {
            char *nome = NULL;
            if (XFetchName(d, e.xmap.window, &nome) && nome) {
                igual = strcmp(nome, argv[1]) == 0;
                XFree(nome);
            }
        }
        if (igual) {
            /* Mapped; then, for 0.4 s, the last time a pixel inside the
               window (beside where the splash lies) changed: the window
               painted with its contents. */
            const double mapa = agora() - inicio;
            double pintada = mapa;
            unsigned long ultimo = 0;
            const double fim = agora() + 0.4;
            for (int k = 0; agora() < fim; ++k) {
                XImage *im = XGetImage(d, e.xmap.window, 700, 200, 1, 1, AllPlanes, ZPixmap);
                if (im) {
                    const unsigned long p = XGetPixel(im, 0, 0);
                    XDestroyImage(im);
                    if (k > 0 && p != ultimo)
                        pintada = agora() - inicio;
                    ultimo = p;
                }
                usleep(200);
            }
            printf("%.4f %.4f\n", mapa, pintada);
            fflush(stdout);
            kill(pid, SIGTERM);
            waitpid(pid, NULL, 0);
            return 0;
        }
    }
}
C

cat > "$TMP/vazia.cpp" <<'CPP'
// An empty Qt Widgets main window, titled and sized as Quellora's.
#include <QApplication>
#include <QMainWindow>
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow janela;
    janela.setWindowTitle(QStringLiteral("Quellora 3.0"));
    janela.resize(750, 550);
    janela.show();
    return app.exec();
}
CPP

FLAGS="-O2 -g -DNDEBUG"
gcc $FLAGS -o "$TMP/espera" "$TMP/espera.c" $(pkg-config --cflags --libs x11)
g++ -std=c++20 -fPIC $FLAGS -o "$TMP/vazia" "$TMP/vazia.cpp" $(pkg-config --cflags --libs Qt6Widgets)

cat > "$TMP/pares.sh" <<SH
#!/usr/bin/env bash
set -euo pipefail
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb
# Each program once before measuring, so that both start from a warm cache.
"$TMP/espera" "Quellora 3.0" "$TMP/vazia" > /dev/null
"$TMP/espera" "Quellora 3.0" "$BUILD/quellora" > /dev/null
for k in \$(seq 1 $PARES); do
  v=\$("$TMP/espera" "Quellora 3.0" "$TMP/vazia")
  q=\$("$TMP/espera" "Quellora 3.0" "$BUILD/quellora")
  echo "\$v \$q"
done
SH
chmod +x "$TMP/pares.sh"

xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$TMP/pares.sh" > "$TMP/pares.txt"
awk '{ r = $3 / $1; printf "par %d: vazia %.3f s (pintada %.3f s), Quellora %.3f s (pintada %.3f s), razão %.2f\n",
       NR, $1, $2, $3, $4, r; print r > "/dev/stderr" }' "$TMP/pares.txt" 2> "$TMP/razoes.txt"
mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf "mediana da razão (Quellora / janela vazia), %d pares: %.2f\n" "$(wc -l < "$TMP/razoes.txt")" \
  "$(mediana < "$TMP/razoes.txt")"
printf "medianas até a janela pintada: vazia %.3f s, Quellora %.3f s\n" \
  "$(awk '{ print $2 }' "$TMP/pares.txt" | mediana)" "$(awk '{ print $4 }' "$TMP/pares.txt" | mediana)"
