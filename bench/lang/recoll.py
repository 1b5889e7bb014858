"""Indexing a folder with recollindex and asking recollq, the stemmer of the
language beside tarvek's lemmatizer (evaluate.py, realtext.py)."""

import os

from tarvek import run

# Xapian's Snowball stemmers for the languages that have one.
SNOWBALL = {"en": "english", "fr": "french", "de": "german", "hu": "hungarian", "it": "italian", "es": "spanish"}


class Index:
    def __init__(self, work, pdf, lang):
        self.conf = os.path.join(work, "recoll-conf")
        os.makedirs(self.conf)
        self.stemmer = SNOWBALL.get(lang, "")
        with open(os.path.join(self.conf, "recoll.conf"), "w") as f:
            f.write("topdirs = %s\nindexstemminglanguages = %s\nloglevel = 1\n" % (pdf, self.stemmer))
        self.env = dict(os.environ, RECOLL_CONFDIR=self.conf)
        run(["recollindex", "-c", self.conf, "-z"], self.env)

    def urls(self, word):
        """The file:// addresses a query finds; a word Recoll's parser makes
        nothing of (ªº) fails the query: it finds nothing."""
        out = run(["recollq", "-c", self.conf, "-b", "-n", "0", "-s", self.stemmer, word], self.env,
                  ok=(0, 1)).stdout
        return [u for u in out.split() if u.startswith("file://")]
