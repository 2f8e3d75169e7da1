namespace glimmer::formats {}
