"""The homes the start-up bench runs kestova in. Each run gets a fresh copy of
a template, so that nothing one run leaves behind (settings, caches, fetched
icons) reaches the next. A template is a folder with config/, data/ and
runtime/ that $HOME and the XDG variables point at:

  empty      nothing at all, for the floor programs;
  first-run  nothing but a server list naming a loopback port where nothing
             listens: the program copies the rest of its shipped lists on this
             first run, and its look for newer lists is refused at once
             instead of waiting on the network;
  catalogue  a returning user (the shipped lists in the working folder, the
             copy marked done) whose catalogue is one category "Radio" of
             30,000 stations;
  streams    the same with one category "Streams": row 1 the ICY station,
             row 2 the HLS station;
  home       a returning user with a server list naming the loopback
             server, which answers as a home server with its home page; the
             category "Streams" holds the ICY station (row 1) and a web
             station (row 2) whose page is the home page;
  dropping   a returning user whose one station (row 1) plays from a second
             loopback server, which the bench ends and starts again.
The list files are written through kestova-lists, as the shipped ones are."""
import os
import shutil
import socket
import subprocess
import tempfile

BIG_COUNT = 30000


def element(name, content):
    return "<%s>%s</%s>" % (name, content, name)


def station(caption, url):
    return element("MENU_ITEM", element("CAPTION", caption) + element("URL", url))


def server_list(address):
    return element("SERVER_SETTINGS", element("VERSION", "1.0.0.0") + element("URL", address))


def closed_address():
    """A loopback address where nothing listens: a port just given up."""
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return "http://127.0.0.1:%d/" % probe.getsockname()[1]


def web_station(caption, url):
    return element("MENU_ITEM", element("CAPTION", caption) + element("URL", url) + element("WEB", "TRUE"))


def catalogue_files(category, file_name, stations, first_url=""):
    first = element("FIRST_URL", first_url) if first_url else ""
    index = element("MOVIES_SETTINGS", element("VERSION", "1.0") + first + element(
        "MOVIES", element("CATEGORY", element("NAME", category) + element("FILE_NAME", file_name))))
    lists = element("CATEGORY_LIST", element("VERSION", "1.0") + element(
        "MENU", element("CAPTION", category) + "".join(stations)))
    return {"MoviesSettings.txt": index, file_name: lists}


class Homes:
    def __init__(self, folder, bin_folder, base_env):
        self.folder = folder
        self.bin = bin_folder
        self.base_env = base_env
        self.templates = {}

    def env(self, root):
        """The environment of a program that runs in the home at root."""
        return dict(self.base_env, HOME=root, XDG_CONFIG_HOME=os.path.join(root, "config"),
                    XDG_DATA_HOME=os.path.join(root, "data"),
                    XDG_CACHE_HOME=os.path.join(root, "cache"),
                    XDG_RUNTIME_DIR=os.path.join(root, "runtime"))

    def prepare(self, server, dropping_server):
        """Makes the templates; server is the loopback server's base address,
        dropping_server that of the server the "dropping" station plays from."""
        self._template("empty")
        self._write_lists(self._template("first-run"), {"ServerSettings.txt": server_list(closed_address())})
        big = [station("Station %d" % i, server + "live.mp3") for i in range(BIG_COUNT)]
        self._returning("catalogue", catalogue_files("Radio", "Radio.txt", big))
        self._returning("streams", catalogue_files("Streams", "Streams.txt", [
            station("ICY station", server + "live.mp3"),
            station("HLS station", server + "hls/live.m3u8")]))
        self._returning("home", dict(catalogue_files("Streams", "Streams.txt", [
            station("ICY station", server + "live.mp3"),
            web_station("Web station", server + "Home.html")], first_url="Home.html"),
            **{"ServerSettings.txt": server_list(server)}))
        self._returning("dropping", catalogue_files("Streams", "Streams.txt", [
            station("Dropping station", dropping_server + "live.mp3")]))

    def new_home(self, name):
        """A fresh copy of the template; removed by the caller when done."""
        root = tempfile.mkdtemp(prefix=name + "-", dir=self.folder)
        shutil.rmtree(root)
        shutil.copytree(self.templates[name], root, symlinks=True)
        return root

    def _template(self, name):
        root = os.path.join(self.folder, "template-" + name)
        for part in ("config", "data", "runtime"):
            os.makedirs(os.path.join(root, part))
        os.chmod(os.path.join(root, "runtime"), 0o700)
        self.templates[name] = root
        return root

    def _returning(self, name, lists):
        root = self._template(name)
        shutil.copytree(os.path.join(self.bin, "res"), os.path.join(root, "data", "Kestova", "res"))
        self._write_lists(root, lists)
        self._tool("kestova-settings", root, "set", "SOFTWARE\\Kestova", "Copy Settings", "FALSE")

    def _write_lists(self, root, lists):
        res = os.path.join(root, "data", "Kestova", "res")
        os.makedirs(res, exist_ok=True)
        for file_name, text in lists.items():
            plain = os.path.join(self.folder, file_name + ".plain")
            with open(plain, "w") as out:
                out.write(text)
            self._tool("kestova-lists", root, "scramble", plain, os.path.join(res, file_name))
            os.remove(plain)

    def _tool(self, tool, root, *args):
        subprocess.run([os.path.join(self.bin, tool), *args], env=self.env(root), check=True,
                       timeout=60, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
